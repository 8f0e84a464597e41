#include "support/StartupFixture.h"

#include "app/SettingsKeys.h"
#include "platform/CdUnits.h"
#include "support/FakeWineHome.h"
#include "support/FileBytes.h"
#include "support/ScopedLocale.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <tuple>

namespace sonorelle::test {
namespace {

using Startup = StartupFixture;

TEST_F(Startup, TooShortProgramFolderOrMissingGameFolderEndsTheProgram)
{
    set(SettingsKeys::InstallDir, QStringLiteral("/ab"));
    expectFatal(QStringLiteral("Error: can not find Sonorelle install folder!"), QStringLiteral("Critical Error"));
    EXPECT_EQ(host.calls, (QStringList{QStringLiteral("showSplash"), QStringLiteral("closeProgram")}));

    set(SettingsKeys::InstallDir, programDir());
    for (const QString& stored : {QString(), QStringLiteral("C:")}) {
        SCOPED_TRACE(stored.toStdString());
        setGame(stored);
        expectFatal(QStringLiteral("Error: can not find Kickvale 09 install folder!"),
                    QStringLiteral("Critical Error"));
    }
}

TEST_F(Startup, MissingLanguageFileOrEncoderEndsTheProgram)
{
    writeArchive("list");
    const QString english = path(QStringLiteral("program/languages/English.lng"));
    ASSERT_TRUE(QFile::rename(english, english + QStringLiteral(".txt")));
    expectFatal(QStringLiteral("Error: can not find ") + programDir() + QStringLiteral("/languages"),
                QStringLiteral("Sonorelle"));

    // Told in the language applied by then.
    ASSERT_TRUE(QFile::rename(english + QStringLiteral(".txt"), english));
    QFile::remove(path(QStringLiteral("program/addon3")));
    expectFatal(QStringLiteral("Missing: ") + programDir() + QStringLiteral("/addon3, reinstall."),
                QStringLiteral("Sonorelle says"));
}

TEST_F(Startup, FirstRunAsksForSetupAndTheSecondPassCompletes)
{
    writeArchive("shipped songs");
    set(SettingsKeys::CDDrive, QString());
    set(SettingsKeys::Language, QString());
    set(SettingsKeys::FirstRun, QString());

    EXPECT_EQ(run(), StartupOutcome::AwaitingSetup);
    ASSERT_EQ(feedback.messages.size(), 1);
    const RecordingFeedback::Message& message = feedback.messages[0];
    EXPECT_EQ(std::tuple(message.text, message.caption, message.icon),
              std::tuple(QStringLiteral("Choose language of the interface and CD-drive used for ripping"),
                         QStringLiteral("Sonorelle Setup"), MessageIcon::None));
    EXPECT_EQ(host.calls.last(), QStringLiteral("openSetup"));
    EXPECT_FALSE(host.calls.contains(QStringLiteral("hideSplash")));
    EXPECT_FALSE(host.calls.contains(QStringLiteral("FirstRun")));

    // The Setup dialog stores its choices on load; Close runs start-up again.
    ASSERT_TRUE(setup.load());
    QFile::remove(gameDir() + QStringLiteral("data/audio/songlist.bin"));
    host.calls.clear();
    feedback.messages.clear();
    EXPECT_EQ(run(), StartupOutcome::Completed);
    EXPECT_TRUE(feedback.messages.isEmpty());
    EXPECT_EQ(looseList(), QByteArray("shipped songs")) << "the list is taken out of the archive once more";
    EXPECT_EQ(shared.LangFile, programDir() + QStringLiteral("/languages/English.lng"));
    EXPECT_TRUE(host.calls.contains(QStringLiteral("FirstRun")));
}

TEST_F(Startup, CompletePassReplacesAStaleListAndKeepsTheCommandLine)
{
    writeArchive("songs");
    writeFile(QStringLiteral("game/data/audio/songlist.bin"), "stale");
    EXPECT_EQ(run(QStringLiteral("/music/a song.mp3")), StartupOutcome::Completed);
    EXPECT_TRUE(feedback.messages.isEmpty());
    const QString english = programDir() + QStringLiteral("/languages/English.lng");
    EXPECT_EQ(shared.CmdLine, QStringLiteral("/music/a song.mp3"));
    EXPECT_EQ(shared.LangName, QStringLiteral("English"));
    EXPECT_TRUE(QFileInfo(shared.TempDir).isDir());
    EXPECT_EQ(looseList(), QByteArray("songs"));

    // A second pass in the same process applies the stored language directly.
    host.calls.clear();
    EXPECT_EQ(run(), StartupOutcome::Completed);
    EXPECT_EQ(host.calls.count(QStringLiteral("ApplyLanguage ") + english), 1);
}

TEST_F(Startup, MissingInstallDirUsesTheExecutablesFolder)
{
    writeArchive("songs");
    set(SettingsKeys::InstallDir, QString());
    // The tools and languages then lie beside the executable.
    ASSERT_TRUE(QDir(path(QStringLiteral("exe"))).removeRecursively());
    ASSERT_TRUE(QDir().rename(programDir(), path(QStringLiteral("exe"))));
    set(SettingsKeys::Language, path(QStringLiteral("exe/languages/English.lng")));
    EXPECT_EQ(run(), StartupOutcome::Completed);
    EXPECT_EQ(shared.ProgramDir, path(QStringLiteral("exe")));
    EXPECT_TRUE(feedback.messages.isEmpty());
}

TEST_F(Startup, GameFolderIsFoundThroughTheWinePrefixAndGetsOneTrailingSeparator)
{
    writeArchive("songs");
    const QString bare = path(QStringLiteral("game"));
    const QString windows = path(QStringLiteral("wine/drive_c/Games/KICKVALE 09"));
    QDir().mkpath(path(QStringLiteral("wine/drive_c/Games")));
    ASSERT_TRUE(QFile::link(bare, windows));
    for (const auto& [stored, expected] : {std::pair{bare, bare}, std::pair{bare + QLatin1Char('/'), bare},
                                           std::pair{QStringLiteral("C:\\games\\Kickvale 09"), windows}}) {
        setGame(stored);
        EXPECT_EQ(run(), StartupOutcome::Completed);
        EXPECT_EQ(shared.GameDir, expected + QLatin1Char('/')) << stored.toStdString();
        EXPECT_EQ(shared.GameAudioDir, expected + QStringLiteral("/data/audio/"));
    }
    EXPECT_TRUE(feedback.messages.isEmpty());
}

TEST_F(Startup, GameFoldersAndFilesAreFoundInAnyCase)
{
    const QString audio = QStringLiteral("windows/Data/Audio/");
    writeFile(audio + QStringLiteral("SONGLIST.BIN"), "the old list");
    writeArchive("songs", audio + QStringLiteral("AUDIO.BIG"));
    setGame(path(QStringLiteral("windows")));
    EXPECT_EQ(run(), StartupOutcome::Completed);
    EXPECT_TRUE(feedback.messages.isEmpty()) << feedback.messages.value(0).text.toStdString();
    EXPECT_EQ(shared.GameAudioDir, path(audio));
    EXPECT_EQ(ReadFile(path(audio + QStringLiteral("SONGLIST.BIN"))), QByteArray("songs"));
    EXPECT_EQ(QDir(path(audio)).entryList(QDir::Files),
              (QStringList{QStringLiteral("AUDIO.BIG"), QStringLiteral("SONGLIST.BIN")}));
}

TEST_F(Startup, WithoutAStoredGameFolderTheGameIsFoundInAPrefixThatLaterReadsComeFrom)
{
    writeArchive("songs");
    setGame(QString());
    // Found among the person's prefixes, not in the default one.
    registry = Registry(registry.storePath(), path(QStringLiteral("wine")), Registry::PrefixOrigin::Default);
    const QString prefix = QDir::homePath() + QStringLiteral("/.PlayOnLinux/wineprefix/Kickvale");
    WriteFile(prefix + QStringLiteral("/system.reg"),
              FakeWineHome::systemReg(FakeWineHome::GameKeyInstallDir, FakeWineHome::View::Wow6432Node));
    QDir().mkpath(prefix + QStringLiteral("/drive_c/Games"));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("game")), prefix + QStringLiteral("/drive_c/Games/Kickvale 09")));
    const StartupOutcome outcome = run();
    QDir(QDir::homePath() + QStringLiteral("/.PlayOnLinux")).removeRecursively();
    EXPECT_EQ(outcome, StartupOutcome::Completed);
    EXPECT_EQ(shared.GameDir, prefix + QStringLiteral("/drive_c/Games/Kickvale 09/"));
    EXPECT_EQ(registry.winePrefix(), prefix);
    EXPECT_EQ(looseList(), QByteArray("songs"));
}

TEST_F(Startup, MissingOrDamagedArchiveIsToldAndStartUpGoesOnWithTheOldList)
{
    const QString archive = QStringLiteral("game/data/audio/audio.big");
    writeFile(QStringLiteral("game/data/audio/songlist.bin"), "the old list");
    for (const auto& [content, told] :
         {std::pair{QByteArray(), QStringList{gameDir() + QStringLiteral("data/audio/audio.big"), QStringLiteral("damaged")}},
          std::pair{QByteArray(4000, 'x'), QStringList{QStringLiteral("could not be taken out")}}}) {
        if (!content.isEmpty())
            writeFile(archive, content);
        feedback.messages.clear();
        EXPECT_EQ(run(), StartupOutcome::Completed);
        ASSERT_EQ(feedback.messages.size(), 1);
        EXPECT_EQ(feedback.messages[0].icon, MessageIcon::Warning);
        for (const QString& part : told)
            EXPECT_TRUE(feedback.messages[0].text.contains(part)) << feedback.messages[0].text.toStdString();
        EXPECT_EQ(looseList(), QByteArray("the old list"));
        EXPECT_EQ(host.calls.last(), QStringLiteral("unloadProgress"));
    }
}

TEST_F(Startup, FileBrowserReturnsToTheLastWorkFolderOnlyWhenItCanBeShown)
{
    writeArchive("songs");
    const QString music = path(QStringLiteral("music"));
    QDir().mkpath(music);
    for (const auto& [stored, ready, expected] :
         {std::tuple{music, true, music}, std::tuple{path(QStringLiteral("deleted")), true, QDir::homePath()},
          std::tuple{music, false, QDir::homePath()}, std::tuple{QString(), true, QDir::homePath()}}) {
        set(SettingsKeys::LastWorkDir, stored);
        host.driveReady = ready;
        EXPECT_EQ(run(), StartupOutcome::Completed);
        EXPECT_EQ(host.browserFolder, expected) << stored.toStdString() << " ready " << ready;
        if (!stored.isEmpty()) {
            EXPECT_EQ(shared.DriveReady, ready ? QStringLiteral("yes") : QStringLiteral("no"));
        }
    }

    // Without a last folder, the person's music folder when there is one.
    const QString ownMusic = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    ASSERT_TRUE(QDir().mkpath(ownMusic));
    EXPECT_EQ(run(), StartupOutcome::Completed);
    EXPECT_EQ(host.browserFolder, ownMusic);
    QDir(ownMusic).removeRecursively();
}

TEST_F(Startup, StoredDrivePositionOutsideTheListSelectsTheFirstUnit)
{
    writeArchive("songs");
    if (!ListCDDrives({}).first().isPlaceholder())
        GTEST_SKIP() << "this machine has CD drives of its own";
    // Without drives the placeholder is the one unit.
    EXPECT_EQ(run(), StartupOutcome::Completed);
    EXPECT_EQ(units.labels(), QStringList{QStringLiteral("(no CD drive)")});
    EXPECT_EQ(units.selection(), 0);

    for (const char* image : {"images/one.cue", "images/two.cue"})
        writeFile(QString::fromLatin1(image), "cue");
    set(SettingsKeys::CDImages, path(QStringLiteral("images/one.cue;")) + path(QStringLiteral("images/two.cue")));

    for (const auto& [stored, selected] : {std::pair{QStringLiteral("5"), 0}, std::pair{QStringLiteral("1"), 1},
                                           std::pair{QStringLiteral("-1"), 0}, std::pair{QStringLiteral("x"), 0}}) {
        set(SettingsKeys::CDDrive, stored);
        EXPECT_EQ(run(), StartupOutcome::Completed);
        EXPECT_EQ(units.labels(), (QStringList{QStringLiteral("one.cue"), QStringLiteral("two.cue")}));
        EXPECT_EQ(units.selection(), selected) << stored.toStdString();
        EXPECT_EQ(shared.CdDriveIndex, stored);
    }
}

TEST_F(Startup, ShippedSongsAreTaggedUnlessFirstRunHoldsOne)
{
    writeArchive("songs");
    for (const auto& [stored, runs] : {std::pair{QStringLiteral("1"), false}, std::pair{QString(), true},
                                       std::pair{QStringLiteral("x"), true}, std::pair{QStringLiteral("01"), true}}) {
        set(SettingsKeys::FirstRun, stored);
        host.calls.clear();
        EXPECT_EQ(run(), StartupOutcome::Completed);
        EXPECT_EQ(host.calls.contains(QStringLiteral("FirstRun")), runs) << stored.toStdString();
    }
}

TEST_F(Startup, TagCodePageComesFromTheLocaleUnlessTheStoreNamesOne)
{
    writeArchive("songs");
    struct Case {
        const char* locale;
        QString stored;
        int expected;
        bool warned;
    };
    for (const Case& c : {Case{"ru_RU.UTF-8", {}, 1251, false},
                          Case{"en_US.UTF-8", QStringLiteral(" 1251 "), 1251, false},
                          Case{"ru_RU.UTF-8", QStringLiteral("cyrillic"), 1251, true},
                          Case{"el_GR.UTF-8", QStringLiteral("99999"), 1253, true}}) {
        SCOPED_TRACE(c.locale + (u' ' + c.stored).toStdString());
        const ScopedLocale locale(c.locale);
        set(SettingsKeys::TagCodePage, c.stored);
        feedback.messages.clear();
        EXPECT_EQ(run(), StartupOutcome::Completed);
        EXPECT_EQ(shared.TagCodePage.number(), c.expected);
        const bool warned = !feedback.messages.isEmpty()
                            && feedback.messages.front().text.contains(SettingsKeys::TagCodePage);
        EXPECT_EQ(warned, c.warned);
    }
}

TEST_F(Startup, LanguageFileThatIsGoneIsReplacedByTheFirstOne)
{
    writeArchive("songs");
    writeLanguage(QStringLiteral("program/languages/Deutsch.LNG"), QStringLiteral("Deutsch"));
    set(SettingsKeys::Language, path(QStringLiteral("program/languages/Removed.lng")));
    EXPECT_EQ(run(), StartupOutcome::Completed);
    const QString first = programDir() + QStringLiteral("/languages/Deutsch.LNG");
    EXPECT_EQ(setting(SettingsKeys::Language), first);
    EXPECT_EQ(shared.LangFile, first);
    EXPECT_EQ(shared.LangName, QStringLiteral("Deutsch"));
}

}  // namespace
}  // namespace sonorelle::test
