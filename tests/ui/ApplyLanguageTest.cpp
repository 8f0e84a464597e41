#include "ui/Form2.h"
#include "controls/ccXPButton.h"
#include "lang/LanguageTexts.h"
#include "platform/Registry.h"
#include "support/FileBytes.h"
#include "support/NamedChild.h"
#include "ui/Form1.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>

namespace sonorelle::test {
namespace {

// The real main window: its own captions, and those of the windows it owns, built on
// demand without being shown. The owned windows reuse some of its control names.
class MainWindowLanguage : public ::testing::Test {
protected:
    void apply(const QString& file)
    {
        texts.load(file);
        window.ApplyLanguage(texts);
    }

    QWidget* owned(const char* name)
    {
        auto* found = window.findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QString frameTitle(QWidget& parent, const char* name) { return NamedChild<QGroupBox>(parent, name)->title(); }

    QTemporaryDir folder;
    LanguageTexts texts;
    Form1 window{Registry::fromEnvironment(), QStringLiteral("/nonexistent"), QString()};
};

TEST_F(MainWindowLanguage, SwitchingLanguageChangesEveryWindowAtOnce)
{
    apply(QStringLiteral(SONORELLE_SOURCE_DIR "/languages/German.lng"));
    QWidget* setup = owned("Form2");
    QWidget* about = owned("frmAbout");
    QWidget* progress = owned("frmProgress");
    EXPECT_EQ(frameTitle(window, "Frame1"), QStringLiteral("Lieder des Spiels"));
    EXPECT_EQ(NamedChild<ccXPButton>(window, "Command1")->caption(), QStringLiteral("Hinzufügen"));
    auto* year = NamedChild<QLabel>(window, "Label8");
    EXPECT_EQ(year->text(), QStringLiteral("Jahr:"));
    EXPECT_EQ(year->textFormat(), Qt::PlainText);
    EXPECT_EQ(setup->windowTitle(), QStringLiteral("Einstellungen"));
    EXPECT_EQ(frameTitle(*setup, "Frame2"), QStringLiteral("Sprache:"));
    EXPECT_EQ(about->windowTitle(), QStringLiteral("Über Sonorelle"));
    EXPECT_EQ(NamedChild<QLabel>(*progress, "lblSost")->text(), QStringLiteral("Bereit"));
    for (const QWidget* shown : {static_cast<QWidget*>(&window), setup, about, progress})
        EXPECT_FALSE(shown->isVisible()) << shown->objectName().toStdString();

    // A file without the keys leaves no caption of the last language behind.
    const QString empty = folder.filePath(QStringLiteral("empty.lng"));
    WriteFile(empty, "[Global]\nLanguage=Empty\n");
    apply(empty);
    EXPECT_EQ(owned("Form2"), setup) << "each window exists once";
    EXPECT_EQ(frameTitle(window, "Frame1"), QString());
    EXPECT_EQ(NamedChild<ccXPButton>(window, "Command1")->caption(), QString());
    EXPECT_EQ(year->text(), QStringLiteral(":"));
    EXPECT_EQ(about->windowTitle(), QString());
}

TEST_F(MainWindowLanguage, ChoosingALanguageInTheSetupDialogRetitlesEveryWindow)
{
    window.session().shared().ProgramDir = QStringLiteral(SONORELLE_SOURCE_DIR);
    auto* setup = qobject_cast<Form2*>(window.languageWindow(LanguageWindow::Setup));
    ASSERT_NE(setup, nullptr);
    ASSERT_TRUE(setup->load());

    auto* languages = NamedChild<QComboBox>(*setup, "cmbLang");
    const int german = languages->findText(QStringLiteral("Deutsch"));
    ASSERT_GE(german, 0);
    languages->setCurrentIndex(german);
    emit languages->activated(german);
    EXPECT_EQ(frameTitle(window, "Frame1"), QStringLiteral("Lieder des Spiels"));
    EXPECT_EQ(owned("frmAbout")->windowTitle(), QStringLiteral("Über Sonorelle"));
}

}  // namespace
}  // namespace sonorelle::test
