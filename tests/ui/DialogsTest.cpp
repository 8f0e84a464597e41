#include "app/SettingsKeys.h"
#include "controls/ccXPButton.h"
#include "lang/LanguageTexts.h"
#include "platform/Registry.h"
#include "platform/SystemInformation.h"
#include "support/FakeWineHome.h"
#include "support/FileBytes.h"
#include "support/NamedChild.h"
#include "support/RecordingFeedback.h"
#include "support/StartupFixture.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/frmAbout.h"
#include "ui/frmProgress.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace sonorelle::test {

// Takes the web addresses the desktop is asked to open, instead of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

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

// PATH points only at a fresh folder of our own programs while a test runs.
class AboutBox : public ::testing::Test {
protected:
    AboutBox() { qputenv("PATH", programs.path().toLocal8Bit()); }
    ~AboutBox() override { qputenv("PATH", savedPath); }

    const QByteArray savedPath = qgetenv("PATH");
    QTemporaryDir programs;
    RecordingFeedback feedback;
    frmAbout about{feedback};
};

TEST_F(AboutBox, SystemInformationStartsTheFirstProgramOnPathOrTellsThereIsNone)
{
    const QStringList& candidates = SystemInformation::candidates();
    ASSERT_GE(candidates.size(), 3);
    // Named like one, but not a program: it must not count.
    WriteFile(programs.filePath(candidates[0]), "#!/bin/sh\n");
    auto* button = NamedChild<QPushButton>(about, "cmdSysInfo");
    button->click();
    ASSERT_EQ(feedback.messages.size(), 1);
    EXPECT_EQ(feedback.messages[0].text, QStringLiteral("System Information Is Unavailable At This Time"));
    EXPECT_EQ(feedback.messages[0].icon, MessageIcon::None);

    const QString marker = programs.filePath(QStringLiteral("started"));
    const QByteArray quoted = "'" + marker.toLocal8Bit() + "'";
    WriteScript(programs.filePath(candidates[2]), "#!/bin/sh\necho late > " + quoted + "\n");
    WriteScript(programs.filePath(candidates[1]),
                "#!/bin/sh\necho first > " + quoted + ".tmp && /bin/mv " + quoted + ".tmp " + quoted
                    + "\n");
    button->click();
    EXPECT_EQ(feedback.messages.size(), 1);
    // Started on its own: wait until it has run.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(marker); }, 20000));
    EXPECT_EQ(ReadFile(marker), QByteArray("first\n"));
}

TEST_F(AboutBox, ShowsTheVersionThePictureOpensTheMakersPageAndOkCloses)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    auto* picture = NamedChild<QLabel>(about, "Image6");
    EXPECT_FALSE(picture->pixmap().isNull());
    QTest::mouseClick(picture, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], frmAbout::makerAddress());
    EXPECT_TRUE(feedback.messages.isEmpty());

    QTest::mouseClick(NamedChild<ccXPButton>(about, "cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

class ProgressWindow : public ::testing::Test {
protected:
    QLabel* label(const char* name) { return NamedChild<QLabel>(window, name); }
    int barWidth() { return NamedChild<QFrame>(window, "picProgress2")->width(); }

    QWidget owner;
    frmProgress window{&owner};
};

TEST_F(ProgressWindow, CaptionAndBarFollowTheProgressWithTheSystemsSeparator)
{
    window.show();
    EXPECT_EQ(barWidth(), 0);
    window.ChangeProgress(QStringLiteral("Track 1"), 1, 3);
    const QString separator = QLocale::system().decimalPoint();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Progress 33") + separator + QStringLiteral("33 %"));
    EXPECT_EQ(label("lblStatus")->text(), QStringLiteral("Track 1"));
    const int inner = NamedChild<QFrame>(window, "picProgress1")->contentsRect().width();
    EXPECT_NEAR(barWidth(), inner / 3.0, 1.0);

    window.ChangeProgress(QStringLiteral("Track 1"), 3, 3);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Progress 100") + separator + QStringLiteral("00 %"));
    EXPECT_EQ(barWidth(), inner);
    window.ChangeProgress(QStringLiteral("past the end"), 9, 3);
    EXPECT_EQ(barWidth(), inner);
    window.ChangeProgress(QStringLiteral("nothing to measure"), 5, 0);
    EXPECT_EQ(barWidth(), 0);

    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(frmProgress::progressCaption(1, 3, german), QStringLiteral("Progress 33,33 %"));
    EXPECT_EQ(frmProgress::progressCaption(1, 20, german), QStringLiteral("Progress 05,00 %"));
}

TEST_F(ProgressWindow, StatusSetWhileHiddenIsShownAnEarlierDetailIsNotAndCancelRaisesTheFlag)
{
    window.show();
    window.ChangeProgress(QStringLiteral("Extracting track /tmp/negotovo.wav"), 1, 2);
    window.hide();
    window.setStatus(QStringLiteral("Encoding (2/5)"));
    window.show();
    EXPECT_TRUE(label("lblSost")->isVisible());
    EXPECT_EQ(label("lblSost")->text(), QStringLiteral("Encoding (2/5)"));
    EXPECT_EQ(label("lblStatus")->text(), QString()) << "the detail of the run before";

    EXPECT_FALSE(window.RipCancel());
    NamedChild<QPushButton>(window, "Command1")->click();
    EXPECT_TRUE(window.RipCancel());
    window.clearCancel();
    EXPECT_FALSE(window.RipCancel());
}

}  // namespace
}  // namespace sonorelle::test

#include "DialogsTest.moc"
