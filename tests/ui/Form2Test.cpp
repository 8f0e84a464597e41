#include "ui/Form2.h"
#include "support/StartupFixture.h"

#include "app/SettingsKeys.h"
#include "controls/ccXPButton.h"
#include "lang/LanguageTexts.h"
#include "platform/Registry.h"
#include "support/FakeWineHome.h"
#include "support/FileBytes.h"
#include "support/NamedChild.h"
#include "ui/Form1.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QAbstractButton>
#include <QTemporaryDir>

namespace sonorelle::test {
namespace {

class SetupDialog : public StartupFixture {
protected:
    SetupDialog()
    {
        shared.ProgramDir = programDir();
        units.fill({CdUnit{QStringLiteral("Unit one"), QStringLiteral("/dev/a"), false, {}},
                    CdUnit{QStringLiteral("Unit two"), QStringLiteral("/dev/b"), false, {}}});
        writeLanguage(QStringLiteral("program/languages/Francais.lng"), QStringLiteral("Français"));
    }

    static QStringList items(const QComboBox* combo)
    {
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i)
            entries.append(combo->itemText(i));
        return entries;
    }

    Form2 dialog{setup, texts};
};

TEST_F(SetupDialog, ListsTheLanguagesAndCdUnitsAndAppliesAChoiceAtOnce)
{
    set(SettingsKeys::Language, programDir() + QStringLiteral("/languages/English.lng"));
    ASSERT_TRUE(dialog.load());
    auto* languages = NamedChild<QComboBox>(dialog, "cmbLang");
    auto* unitBox = NamedChild<QComboBox>(dialog, "cmbCD");
    EXPECT_EQ(items(languages), (QStringList{QStringLiteral("English"), QStringLiteral("Français")}));
    EXPECT_EQ(languages->currentIndex(), 0);
    EXPECT_EQ(items(unitBox), units.labels());
    EXPECT_EQ(unitBox->currentIndex(), 0);
    EXPECT_EQ(NamedChild<QLabel>(dialog, "Label2")->text(), QStringLiteral("English translator"));

    // What a choice stores, the choices' own tests check.
    languages->setCurrentIndex(1);
    emit languages->activated(1);
    EXPECT_EQ(NamedChild<QLabel>(dialog, "Label2")->text(), QStringLiteral("Français translator"));

    unitBox->setCurrentIndex(1);
    emit unitBox->activated(1);
    EXPECT_EQ(setting(SettingsKeys::CDDrive), QStringLiteral("1"));
}

TEST_F(SetupDialog, OfSeveralInstallationsTheChosenOneIsStored)
{
    FakeWineHome home;
    const QString first = home.addPrefix(QStringLiteral(".wine"));
    registry = Registry(registry.storePath(), first, Registry::PrefixOrigin::Default);
    setGame(QString());
    SetupChoices choices{context, home.environment()};
    Form2 gamesDialog{choices, texts};
    ASSERT_TRUE(gamesDialog.load());
    EXPECT_TRUE(NamedChild<QGroupBox>(gamesDialog, "FrameGame")->isHidden()) << "one is no choice";

    const QString second = home.addPrefix(QStringLiteral(".PlayOnLinux/wineprefix/Kick"));
    ASSERT_TRUE(choices.load());
    ASSERT_TRUE(gamesDialog.load());
    EXPECT_FALSE(NamedChild<QGroupBox>(gamesDialog, "FrameGame")->isHidden());
    auto* games = NamedChild<QComboBox>(gamesDialog, "cmbGame");
    const QString folder = QStringLiteral("/drive_c/Games/Kickvale 09/");
    EXPECT_EQ(items(games), (QStringList{QStringLiteral("Wine: .wine (%1)").arg(first + folder),
                                         QStringLiteral("PlayOnLinux: Kick (%1)").arg(second + folder)}));
    EXPECT_EQ(games->currentIndex(), 0);
    games->setCurrentIndex(1);
    emit games->activated(1);
    EXPECT_EQ(setting(SettingsKeys::GamePrefix), second);
}

TEST_F(SetupDialog, CloseIsReportedOnceWhicheverWayTheDialogCloses)
{
    ASSERT_TRUE(dialog.load());
    int closes = 0;
    QObject::connect(&dialog, &Form2::closed, [&closes] { ++closes; });
    dialog.show();
    NamedChild<QAbstractButton>(dialog, "Command1")->click();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    dialog.reject();  // Escape
    EXPECT_EQ(closes, 2);
}

TEST_F(SetupDialog, TheStandInForNoDriveSpeaksTheLanguage)
{
    units.fill({CdUnit{QStringLiteral("(no CD drive)"), {}, false, {}}});
    writeLanguage(QStringLiteral("program/languages/Francais.lng"), QStringLiteral("Français"),
                  {{QStringLiteral("NoCdDrive"), QStringLiteral("(aucun lecteur CD)")}});
    set(SettingsKeys::Language, programDir() + QStringLiteral("/languages/Francais.lng"));
    ASSERT_TRUE(dialog.load());
    EXPECT_EQ(items(NamedChild<QComboBox>(dialog, "cmbCD")),
              QStringList{QStringLiteral("(aucun lecteur CD)")});
}

TEST_F(SetupDialog, WithoutLanguageFilesTheProgramCloses)
{
    for (const char* name : {"program/languages/English.lng", "program/languages/Francais.lng"})
        QFile::remove(path(QString::fromLatin1(name)));
    EXPECT_FALSE(dialog.load());
    ASSERT_EQ(feedback.messages.size(), 1);
    EXPECT_EQ(feedback.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("closeProgram")});
}

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
