#include "app/Form2.h"
#include "controls/ccXPButton.h"
#include "support/FileBytes.h"
#include "lang/LanguageTexts.h"
#include "platform/Registry.h"
#include "ui/ApplyLanguage.h"
#include "ui/Form1.h"
#include "ui/LanguageWindowProvider.h"
#include "ui/frmAbout.h"
#include "ui/frmProgress.h"
#include "support/NamedChild.h"
#include "support/RecordingFeedback.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QAbstractButton>
#include <QTemporaryDir>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace sonorelle::test {
namespace {

QString Shipped(const char* name)
{
    return QStringLiteral(SONORELLE_SOURCE_DIR "/languages/") + QString::fromLatin1(name);
}

// A provider over hand-built windows: a main window with one control of each kind
// and a dialog of its own that reuses two of its names, and the real About box and
// progress window, built on first request.
class HandBuiltWindows : public LanguageWindowProvider {
public:
    HandBuiltWindows()
    {
        // Built first, so a plain search through the children would meet its controls first.
        owned = new QDialog(&main);
        owned->setObjectName(QStringLiteral("Form2"));
        for (const char* name : {"Frame1", "Command1"}) {
            auto* control = new QGroupBox(QStringLiteral("untouched"), owned);
            control->setObjectName(QString::fromLatin1(name));
        }
        auto* layout = new QVBoxLayout(&main);
        auto* frame = new QGroupBox(&main);
        frame->setObjectName(QStringLiteral("Frame1"));
        layout->addWidget(frame);
        auto* inFrame = new QVBoxLayout(frame);
        addNamed(inFrame, new ccXPButton(frame), "Command1");
        addNamed(inFrame, new QPushButton(frame), "Command8");
        addNamed(inFrame, new QLabel(frame), "Label8");
    }

    QWidget* languageWindow(LanguageWindow window) override
    {
        asked.append(window);
        switch (window) {
        case LanguageWindow::Main:
            return &main;
        case LanguageWindow::Progress:
            if (!progress)
                progress = std::make_unique<frmProgress>(nullptr);
            return progress.get();
        case LanguageWindow::About:
            if (!about)
                about = std::make_unique<frmAbout>(feedback);
            return about.get();
        case LanguageWindow::Setup:
        case LanguageWindow::Playlist:
            break;
        }
        return nullptr;
    }

    QWidget main;
    QDialog* owned;
    RecordingFeedback feedback;
    std::unique_ptr<frmProgress> progress;
    std::unique_ptr<frmAbout> about;
    QList<LanguageWindow> asked;

private:
    static void addNamed(QVBoxLayout* layout, QWidget* widget, const char* name)
    {
        widget->setObjectName(QString::fromLatin1(name));
        layout->addWidget(widget);
    }
};

class ApplyLanguageTest : public ::testing::Test {
protected:
    // A language file written byte for byte into a temporary folder.
    QString write(const QString& name, const QByteArray& bytes) const
    {
        const QString path = folder.filePath(name);
        WriteFile(path, bytes);
        return path;
    }

    QTemporaryDir folder;
    LanguageTexts texts;
};

TEST_F(ApplyLanguageTest, AsksForEveryWindowInOrderAndSetsEachKindOfControl)
{
    texts.load(write(QStringLiteral("a.lng"),
                           "[Translate]\nLngFrameTrack=<b>Songs</b>\nLngBtnAdd=&Add\nLngBtnDel=Delete\n"
                           "LngLabelGod=Year\nAbout=About it\nsost6=Idle\n"));
    HandBuiltWindows windows;
    ApplyLanguage(texts, windows);

    EXPECT_EQ(windows.asked, (QList<LanguageWindow>{LanguageWindow::Main, LanguageWindow::Progress,
                                                    LanguageWindow::Setup, LanguageWindow::About,
                                                    LanguageWindow::Playlist}));
    auto* frame = NamedChild<QGroupBox>(windows.main, "Frame1");
    EXPECT_EQ(frame->title(), QStringLiteral("<b>Songs</b>"));
    auto* add = NamedChild<ccXPButton>(windows.main, "Command1");
    EXPECT_EQ(add->caption(), QStringLiteral("&Add"));
    EXPECT_EQ(add->accessKey(), QLatin1Char('a'));
    EXPECT_EQ(NamedChild<QPushButton>(windows.main, "Command8")->text(), QStringLiteral("Delete"));
    auto* year = NamedChild<QLabel>(windows.main, "Label8");
    EXPECT_EQ(year->text(), QStringLiteral("Year:"));
    EXPECT_EQ(year->textFormat(), Qt::PlainText);

    // The dialog the main window owns keeps its own controls of the same names.
    EXPECT_EQ(NamedChild<QGroupBox>(*windows.owned, "Frame1")->title(), QStringLiteral("untouched"));
    EXPECT_EQ(NamedChild<QGroupBox>(*windows.owned, "Command1")->title(), QStringLiteral("untouched"));

    ASSERT_TRUE(windows.about && windows.progress);
    EXPECT_EQ(windows.about->windowTitle(), QStringLiteral("About it"));
    EXPECT_EQ(NamedChild<QLabel>(*windows.progress, "lblSost")->text(), QStringLiteral("Idle"));
    EXPECT_FALSE(windows.about->isVisible());
    EXPECT_FALSE(windows.progress->isVisible());
}

TEST_F(ApplyLanguageTest, AFileWithoutTheKeysEmptiesTheCaptions)
{
    HandBuiltWindows windows;
    texts.load(Shipped("English.lng"));
    ApplyLanguage(texts, windows);
    texts.load(write(QStringLiteral("empty.lng"), "[Global]\nLanguage=Empty\n"));
    ApplyLanguage(texts, windows);
    EXPECT_EQ(NamedChild<QGroupBox>(windows.main, "Frame1")->title(), QString());
    EXPECT_EQ(NamedChild<ccXPButton>(windows.main, "Command1")->caption(), QString());
    EXPECT_EQ(NamedChild<QLabel>(windows.main, "Label8")->text(), QStringLiteral(":"));
    EXPECT_EQ(windows.about->windowTitle(), QString());
}

// The real main window as the provider: its own captions, and those of the windows it
// owns, built on demand without being shown.
class MainWindowLanguage : public ApplyLanguageTest {
protected:
    void apply(const char* file)
    {
        texts.load(Shipped(file));
        window.ApplyLanguage(texts);
    }

    QWidget* owned(const char* name)
    {
        auto* found = window.findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    Form1 window{Registry::fromEnvironment(), QStringLiteral("/nonexistent"), QString()};
};

TEST_F(MainWindowLanguage, SwitchingLanguageChangesEveryWindowAtOnce)
{
    apply("German.lng");
    EXPECT_EQ(NamedChild<QGroupBox>(window, "Frame1")->title(), QStringLiteral("Lieder des Spiels"));
    EXPECT_EQ(NamedChild<QGroupBox>(window, "Frame2")->title(), QStringLiteral("Ihre Dateien"));
    QWidget* setup = owned("Form2");
    QWidget* about = owned("frmAbout");
    QWidget* progress = owned("frmProgress");
    EXPECT_EQ(setup->windowTitle(), QStringLiteral("Einstellungen"));
    EXPECT_EQ(NamedChild<QGroupBox>(*setup, "Frame2")->title(), QStringLiteral("Sprache:"));
    EXPECT_EQ(NamedChild<QLabel>(*setup, "label1")->text(), QStringLiteral("Übersetzt von:"));
    EXPECT_EQ(NamedChild<QAbstractButton>(*setup, "Command1")->text(), QStringLiteral("Schließen"));
    EXPECT_EQ(about->windowTitle(), QStringLiteral("Über Sonorelle"));
    EXPECT_EQ(NamedChild<QLabel>(*progress, "lblSost")->text(), QStringLiteral("Bereit"));
    for (const QWidget* shown : {static_cast<QWidget*>(&window), setup, about, progress})
        EXPECT_FALSE(shown->isVisible()) << shown->objectName().toStdString();

    apply("Russian.lng");
    EXPECT_EQ(owned("Form2"), setup) << "each window exists once";
    EXPECT_EQ(owned("frmAbout"), about);
    EXPECT_EQ(NamedChild<QGroupBox>(window, "Frame1")->title(), QStringLiteral("Песни игры"));
    EXPECT_EQ(setup->windowTitle(), QStringLiteral("Настройки"));
    EXPECT_EQ(NamedChild<QLabel>(*setup, "Label5")->text(), QStringLiteral("Эл. почта:"));
    EXPECT_EQ(about->windowTitle(), QStringLiteral("О программе Sonorelle"));
    EXPECT_EQ(NamedChild<QLabel>(*progress, "lblSost")->text(), QStringLiteral("Готово"));
}

TEST_F(MainWindowLanguage, ChoosingALanguageInTheSetupDialogRetitlesEveryWindow)
{
    window.shared().ProgramDir = QStringLiteral(SONORELLE_SOURCE_DIR);
    auto* setup = qobject_cast<Form2*>(window.languageWindow(LanguageWindow::Setup));
    ASSERT_NE(setup, nullptr);
    ASSERT_TRUE(setup->load());
    EXPECT_EQ(NamedChild<QGroupBox>(window, "Frame1")->title(), QStringLiteral("Songs of the game"));

    auto* languages = NamedChild<QComboBox>(*setup, "cmbLang");
    const int german = languages->findText(QStringLiteral("Deutsch"));
    ASSERT_GE(german, 0);
    languages->setCurrentIndex(german);
    emit languages->activated(german);
    EXPECT_EQ(NamedChild<QGroupBox>(window, "Frame1")->title(), QStringLiteral("Lieder des Spiels"));
    EXPECT_EQ(setup->windowTitle(), QStringLiteral("Einstellungen"));
    EXPECT_EQ(owned("frmAbout")->windowTitle(), QStringLiteral("Über Sonorelle"));
}

}  // namespace
}  // namespace sonorelle::test
