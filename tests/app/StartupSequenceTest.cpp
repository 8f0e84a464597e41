#include "support/StartupFixture.h"

#include "app/SettingsKeys.h"
#include "platform/CdUnits.h"
#include "support/FakeWineHome.h"
#include "support/FileBytes.h"
#include "support/Mp3Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <array>
#include <cstdlib>
#include <optional>
#include <tuple>

namespace sonorelle::test {
namespace {

using Startup = StartupFixture;

// While it lives, the process's locale variables say LANG=localeName with LC_ALL and
// LC_CTYPE unset; they are put back afterwards.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* localeName)
    {
        for (std::size_t i = 0; i < Names.size(); ++i) {
            if (const char* value = std::getenv(Names[i]))
                saved_[i] = QByteArray(value);
            ::unsetenv(Names[i]);
        }
        ::setenv("LANG", localeName, 1);
    }
    ~ScopedLocale()
    {
        for (std::size_t i = 0; i < Names.size(); ++i) {
            if (saved_[i])
                ::setenv(Names[i], saved_[i]->constData(), 1);
            else
                ::unsetenv(Names[i]);
        }
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    static constexpr std::array<const char*, 3> Names = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::array<std::optional<QByteArray>, 3> saved_;
};

TEST_F(Startup, AMissingFolderLanguageFileOrEncoderEndsTheProgram)
{
    set(SettingsKeys::InstallDir, S("/ab"));
    expectFatal(S("Error: can not find Sonorelle install folder!"), S("Critical Error"));

    set(SettingsKeys::InstallDir, programDir());
    setGame(QString());
    expectFatal(S("Error: can not find Kickvale 09 install folder!"), S("Critical Error"));

    setGame(gameDir());
    writeArchive("list");
    const QString english = path(S("program/languages/English.lng"));
    ASSERT_TRUE(QFile::rename(english, english + S(".txt")));
    expectFatal(S("Error: can not find ") + programDir() + S("/languages"), S("Sonorelle"));

    // Told in the language applied by then.
    ASSERT_TRUE(QFile::rename(english + S(".txt"), english));
    QFile::remove(path(S("program/addon3")));
    expectFatal(S("Missing: ") + programDir() + S("/addon3, reinstall."), S("Sonorelle says"));
}

TEST_F(Startup, FirstRunAsksForSetupAndTheSecondPassCompletes)
{
    writeArchive("shipped songs");
    set(SettingsKeys::CDDrive, QString());
    set(SettingsKeys::Language, QString());
    // Only the exact mark "1" says the shipped songs were tagged.
    set(SettingsKeys::FirstRun, S("01"));

    EXPECT_EQ(run(), StartupOutcome::AwaitingSetup);
    ASSERT_EQ(feedback.messages.size(), 1);
    EXPECT_EQ(feedback.messages[0].caption, S("Sonorelle Setup"));
    EXPECT_EQ(host.calls.last(), S("openSetup"));
    EXPECT_FALSE(host.calls.contains(S("FirstRun")));

    // The Setup dialog stores its choices on load; Close runs start-up again, which
    // applies the stored language directly.
    ASSERT_TRUE(setup.load());
    QFile::remove(gameDir() + S("data/audio/songlist.bin"));
    host.calls.clear();
    feedback.messages.clear();
    EXPECT_EQ(run(), StartupOutcome::Completed);
    EXPECT_TRUE(feedback.messages.isEmpty());
    EXPECT_EQ(looseList(), QByteArray("shipped songs")) << "the list is taken out of the archive once more";
    const QString english = programDir() + S("/languages/English.lng");
    EXPECT_EQ(shared.LangFile, english);
    EXPECT_EQ(host.calls.count(S("ApplyLanguage ") + english), 1);
    EXPECT_TRUE(host.calls.contains(S("FirstRun")));
}

TEST_F(Startup, CompletePassReplacesAStaleListAndKeepsTheCommandLine)
{
    writeArchive("songs");
    writeFile(S("game/data/audio/songlist.bin"), "stale");
    EXPECT_EQ(run(S("/music/a song.mp3")), StartupOutcome::Completed);
    EXPECT_TRUE(feedback.messages.isEmpty());
    EXPECT_EQ(shared.CmdLine, S("/music/a song.mp3"));
    EXPECT_EQ(shared.LangName, S("English"));
    EXPECT_TRUE(QFileInfo(shared.TempDir).isDir());
    EXPECT_EQ(looseList(), QByteArray("songs"));
    EXPECT_FALSE(host.calls.contains(S("FirstRun")));
}

// The stored language file then is gone, and the first one beside the executable replaces it.
TEST_F(Startup, MissingInstallDirUsesTheExecutablesFolderAndItsFirstLanguage)
{
    writeArchive("songs");
    writeLanguage(S("program/languages/Deutsch.LNG"), S("Deutsch"));
    set(SettingsKeys::InstallDir, QString());
    ASSERT_TRUE(QDir(path(S("exe"))).removeRecursively());
    ASSERT_TRUE(QDir().rename(programDir(), path(S("exe"))));
    EXPECT_EQ(run(), StartupOutcome::Completed);
    EXPECT_EQ(shared.ProgramDir, path(S("exe")));
    EXPECT_TRUE(feedback.messages.isEmpty());
    const QString first = path(S("exe/languages/Deutsch.LNG"));
    EXPECT_EQ(setting(SettingsKeys::Language), first);
    EXPECT_EQ(shared.LangFile, first);
    EXPECT_EQ(shared.LangName, S("Deutsch"));
}

TEST_F(Startup, GameFolderIsFoundThroughTheWinePrefixAndGetsOneTrailingSeparator)
{
    writeArchive("songs");
    const QString bare = path(S("game"));
    const QString windows = path(S("wine/drive_c/Games/KICKVALE 09"));
    QDir().mkpath(path(S("wine/drive_c/Games")));
    ASSERT_TRUE(QFile::link(bare, windows));
    for (const auto& [stored, expected] : {std::pair{bare, bare}, std::pair{bare + QLatin1Char('/'), bare},
                                           std::pair{S("C:\\games\\Kickvale 09"), windows}}) {
        setGame(stored);
        EXPECT_EQ(run(), StartupOutcome::Completed);
        EXPECT_EQ(shared.GameDir, expected + QLatin1Char('/')) << stored.toStdString();
        EXPECT_EQ(shared.GameAudioDir, expected + S("/data/audio/"));
    }
    EXPECT_TRUE(feedback.messages.isEmpty());
}

TEST_F(Startup, GameFoldersAndFilesAreFoundInAnyCase)
{
    const QString audio = S("windows/Data/Audio/");
    writeFile(audio + S("SONGLIST.BIN"), "the old list");
    writeArchive("songs", audio + S("AUDIO.BIG"));
    setGame(path(S("windows")));
    EXPECT_EQ(run(), StartupOutcome::Completed);
    EXPECT_TRUE(feedback.messages.isEmpty()) << feedback.messages.value(0).text.toStdString();
    EXPECT_EQ(shared.GameAudioDir, path(audio));
    EXPECT_EQ(ReadFile(path(audio + S("SONGLIST.BIN"))), QByteArray("songs"));
    EXPECT_EQ(QDir(path(audio)).entryList(QDir::Files),
              (QStringList{S("AUDIO.BIG"), S("SONGLIST.BIN")}));
}

TEST_F(Startup, WithoutAStoredGameFolderTheGameIsFoundInAPrefixThatLaterReadsComeFrom)
{
    writeArchive("songs");
    setGame(QString());
    // Found among the person's prefixes, not in the default one.
    registry = Registry(registry.storePath(), path(S("wine")), Registry::PrefixOrigin::Default);
    const QString prefix = QDir::homePath() + S("/.PlayOnLinux/wineprefix/Kickvale");
    WriteFile(prefix + S("/system.reg"),
              FakeWineHome::systemReg(FakeWineHome::GameKeyInstallDir, FakeWineHome::View::Wow6432Node));
    QDir().mkpath(prefix + S("/drive_c/Games"));
    ASSERT_TRUE(QFile::link(path(S("game")), prefix + S("/drive_c/Games/Kickvale 09")));
    const StartupOutcome outcome = run();
    QDir(QDir::homePath() + S("/.PlayOnLinux")).removeRecursively();
    EXPECT_EQ(outcome, StartupOutcome::Completed);
    EXPECT_EQ(shared.GameDir, prefix + S("/drive_c/Games/Kickvale 09/"));
    EXPECT_EQ(registry.winePrefix(), prefix);
    EXPECT_EQ(looseList(), QByteArray("songs"));
}

TEST_F(Startup, MissingOrDamagedArchiveIsToldAndStartUpGoesOnWithTheOldList)
{
    writeFile(S("game/data/audio/songlist.bin"), "the old list");
    for (const auto& [content, told] :
         {std::pair{QByteArray(), QStringList{gameDir() + S("data/audio/audio.big"), S("damaged")}},
          std::pair{QByteArray(4000, 'x'), QStringList{S("could not be taken out")}}}) {
        if (!content.isEmpty())
            writeFile(S("game/data/audio/audio.big"), content);
        feedback.messages.clear();
        EXPECT_EQ(run(), StartupOutcome::Completed);
        ASSERT_EQ(feedback.messages.size(), 1);
        EXPECT_EQ(feedback.messages[0].icon, MessageIcon::Warning);
        for (const QString& part : told)
            EXPECT_TRUE(feedback.messages[0].text.contains(part)) << feedback.messages[0].text.toStdString();
        EXPECT_EQ(looseList(), QByteArray("the old list"));
    }
}

TEST_F(Startup, FileBrowserReturnsToTheLastWorkFolderOnlyWhenItCanBeShown)
{
    writeArchive("songs");
    const QString music = path(S("music"));
    QDir().mkpath(music);
    const QString home = QDir::homePath();
    for (const auto& [stored, ready, expected] :
         {std::tuple{music, true, music}, {path(S("deleted")), true, home}, {music, false, home}}) {
        set(SettingsKeys::LastWorkDir, stored);
        host.driveReady = ready;
        EXPECT_EQ(run(), StartupOutcome::Completed);
        EXPECT_EQ(host.browserFolder, expected) << stored.toStdString() << " ready " << ready;
        EXPECT_EQ(shared.DriveReady, ready ? S("yes") : S("no"));
    }

    // Without a last folder, the person's music folder when there is one.
    set(SettingsKeys::LastWorkDir, QString());
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
    EXPECT_EQ(units.labels(), QStringList{S("(no CD drive)")});

    for (const char* image : {"images/one.cue", "images/two.cue"})
        writeFile(S(image), "cue");
    set(SettingsKeys::CDImages, path(S("images/one.cue;")) + path(S("images/two.cue")));
    for (const auto& [stored, selected] :
         {std::pair{S("5"), 0}, {S("1"), 1}, {S("-1"), 0}, {S("x"), 0}}) {
        set(SettingsKeys::CDDrive, stored);
        EXPECT_EQ(run(), StartupOutcome::Completed);
        EXPECT_EQ(units.labels(), (QStringList{S("one.cue"), S("two.cue")}));
        EXPECT_EQ(units.selection(), selected) << stored.toStdString();
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
                          {"en_US.UTF-8", S(" 1251 "), 1251, false},
                          {"el_GR.UTF-8", S("99999"), 1253, true}}) {
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

class Setup : public StartupFixture {
protected:
    Setup()
    {
        shared.ProgramDir = programDir();
        units.fill({CdUnit{QStringLiteral("Drive A"), QStringLiteral("/dev/a"), false, {}},
                    CdUnit{QStringLiteral("Drive B"), QStringLiteral("/dev/b"), false, {}}});
        writeLanguage(QStringLiteral("program/languages/deutsch.LNG"), QStringLiteral("Deutsch"),
                      {{QStringLiteral("LngBtnClose"), QStringLiteral("Schliessen")}});
        writeLanguage(QStringLiteral("program/languages/notes.txt"), QStringLiteral("Not offered"));
        writeLanguage(QStringLiteral("program/languages/Zulu.lng"), QStringLiteral("isiZulu"));
    }
};

TEST_F(Setup, OffersEveryFileEndingInLngWhateverItsCase)
{
    set(SettingsKeys::Language, QString());
    ASSERT_TRUE(setup.load());
    QStringList names;
    for (const LanguageFileInfo& file : setup.languages())
        names.append(file.Language);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Deutsch"), QStringLiteral("English"), QStringLiteral("isiZulu")}));
}

TEST_F(Setup, LoadSelectsTheStoredLanguageIgnoringCaseAndEveryChoiceIsStored)
{
    const QString zulu = programDir() + QStringLiteral("/languages/Zulu.lng");
    set(SettingsKeys::Language, zulu.toUpper());
    units.select(1);
    ASSERT_TRUE(setup.load());
    EXPECT_EQ(setup.languageIndex(), 2);
    EXPECT_EQ(setting(SettingsKeys::Language), zulu);
    EXPECT_EQ(shared.LangName, QStringLiteral("isiZulu"));
    EXPECT_EQ(texts.file(), zulu);
    EXPECT_EQ(setup.driveIndex(), 1);
    EXPECT_EQ(setting(SettingsKeys::CDDrive), QStringLiteral("1"));

    // Later choices apply and store at once.
    host.calls.clear();
    setup.chooseLanguage(0);
    const QString deutsch = programDir() + QStringLiteral("/languages/deutsch.LNG");
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("ApplyLanguage ") + deutsch});
    EXPECT_EQ(texts.text(QStringLiteral("LngBtnClose")), QStringLiteral("Schliessen"));

    setup.chooseDrive(0);
    EXPECT_EQ(units.selection(), 0);
    EXPECT_EQ(setting(SettingsKeys::CDDrive), QStringLiteral("0"));
    setup.chooseDrive(2);  // not in the list: nothing changes
    EXPECT_EQ(setting(SettingsKeys::CDDrive), QStringLiteral("0"));
}

}  // namespace
}  // namespace sonorelle::test
