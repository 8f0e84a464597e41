#include "support/CliFixture.h"

#include "app/SettingsKeys.h"
#include "platform/GameLock.h"
#include "support/FakeWineHome.h"
#include "support/FileBytes.h"
#include "support/Mp3Files.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <vector>

namespace sonorelle::test {
namespace {

using CliCommands = CliFixture;

QString Line(int song)
{
    return S("Artist %1 - Title %1").arg(song);
}

TEST_F(CliCommands, ListPrintsEachLineAfterItsIndexWithControlCharactersEscaped)
{
    const Run run = cli({S("list")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QString());
    EXPECT_EQ(run.out, S("0\t%1\n1\t%2\n2\t%3\n3\t%4\n").arg(Line(1), Line(2), Line(3), Line(4)));

    // A tab or line break in a name cannot split a line or a field.
    useSongs({GameFixture::song(S("s01"), S("AC\\DC"), S("Two\tWords")),
              GameFixture::song(S("s02"), S("Bell\a"), S("Line\nBreak"))});
    EXPECT_EQ(listed(), (QStringList{S("AC\\\\DC - Two\\tWords"), S("Bell\\x07 - Line\\nBreak")}));
    EXPECT_TRUE(cli({S("show"), S("1")}).out.contains(S("\ntitle\tLine\\nBreak\n")));
}

// Each run takes the list out of the archive, so the second show reads what the game reads.
TEST_F(CliCommands, TagsSavesIntoTheArchivedListAndShowReadsThemBack)
{
    const auto show = [this] { return cli({S("show"), S("1")}).out; };
    EXPECT_EQ(show(), S("stream\ts02\nartist\tArtist 2\ntitle\tTitle 2\nalbum\tAlbum\ntag.title\t\n"
                        "tag.artist\t\ntag.album\t\ntag.year\t\ntag.comment\t\ntag.genre\t\n"));

    const Run saved = cli({S("tags"), S("1"), S("A title"), S("Sølvfjord"), S("Open Play"),
                           S("2008"), S("first take")});
    EXPECT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_EQ(saved.out, QString());
    EXPECT_EQ(show(), S("stream\ts02\nartist\tSølvfjord\ntitle\tA title\nalbum\tOpen Play\n"
                        "tag.title\tA title\ntag.artist\tSølvfjord\ntag.album\tOpen Play\n"
                        "tag.year\t2008\ntag.comment\tfirst take\ntag.genre\t7\n"));
}

TEST_F(CliCommands, ListEditsPrintTheSelectionTheyLeaveAndChangeTheArchivedList)
{
    const auto edit = [this](const QString& command, const QString& index) {
        const Run run = cli(index.isEmpty() ? QStringList{command} : QStringList{command, index});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out;
    };
    EXPECT_EQ(edit(S("up"), S("2")), S("1\n"));
    EXPECT_EQ(edit(S("down"), S("0")), S("1\n"));
    const QStringList moved{S("s03"), S("s01"), S("s02"), S("s04")};
    EXPECT_EQ(archivedStreams(), moved);

    // The deleted song's stream goes to the trash of the data folder the command line was given.
    EXPECT_EQ(edit(S("delete"), S("3")), S("2\n"));
    EXPECT_EQ(archivedStreams(), moved.mid(0, 3));
    EXPECT_TRUE(QFile::exists(home.filePath(S("data/Trash/files/s04.sng"))));
    EXPECT_EQ(edit(S("shuffle"), {}), S("0\n"));
}

TEST_F(CliCommands, ExportWritesTheSongAsMp3AndPrintsItsPathOrSaysWhyNot)
{
    DemoSong tune = GameFixture::song(S("s01"), S("Artist"), S("Title"), -1);
    tune.seconds = 2.0;
    useSongs({tune});
    QTemporaryDir out;

    const Run written = cli({S("export"), S("0"), out.filePath(S("song"))});
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_EQ(written.out, out.filePath(S("song.mp3")) + u'\n');
    // Without a tag record the fields are empty; the list entry keeps its texts.
    EXPECT_EQ(listed(), QStringList{S("Artist - Title")});

    const QString missing = out.filePath(S("missing/song.mp3"));
    cli({S("export"), S("0"), missing}).expectFailure(1, S("Copying the MP3 to ") + missing);
}

using CliErrors = CliFixture;

const QStringList FourStreams{S("s01"), S("s02"), S("s03"), S("s04")};

TEST_F(CliErrors, AWrongCommandLineShowsTheUsageAndTouchesNothing)
{
    const QList<QStringList> wrong = {
        {}, {S("play")}, {S("list"), S("0")}, {S("up")}, {S("delete"), S("first")}};
    for (const QStringList& arguments : wrong) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        cli(arguments).expectFailure(2, S("usage: sonorelle-cli"));
    }
    // Start-up never ran: it would have stored the language.
    EXPECT_EQ(setting(SettingsKeys::Language), QString());

    const Run help = cli({S("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(S("tags N TITLE ARTIST ALBUM YEAR COMMENT")));
}

TEST_F(CliErrors, AnIndexThatIsNoSongIsAnErrorAndChangesNothing)
{
    for (const QStringList& arguments : {QStringList{S("up"), S("-1")}, {S("delete"), S("4")}}) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        cli(arguments).expectFailure(1, S("not a song of the list: it holds 4, numbered 0 to 3"));
    }
    EXPECT_EQ(archivedStreams(), FourStreams);
    EXPECT_FALSE(QDir(home.filePath(S("data/Trash"))).exists());
}

TEST_F(CliErrors, AMissingGameEndsStartUpWithTheFatalMessage)
{
    QTemporaryDir emptyPrefix;
    cli({S("list")}, {{S("WINEPREFIX"), emptyPrefix.path()}})
        .expectFailure(1, S("Critical Error: Error: can not find Kickvale 09 install folder!\n"));
}

TEST_F(CliErrors, WithoutTheSetupItSaysHowToDoItAndStoresNoChoice)
{
    set(SettingsKeys::CDDrive, QString());
    cli({S("list")}).expectFailure(
        1, S("sonorelle-reg set 'HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvitane\\Sonorelle' CDDrive 0"));
    EXPECT_EQ(setting(SettingsKeys::CDDrive), QString());
    EXPECT_EQ(setting(SettingsKeys::Language), QString());
}

TEST_F(CliErrors, AListThatCannotBeSavedIsAnErrorAfterTheSelectionIsPrinted)
{
    // Taking the list out works; putting it back fails.
    useProgramFolder(S("#!/bin/sh\n"
                       "[ \"$1\" = -e ] && exec '%1/addon2' \"$@\"\n"
                       "echo 'addon2: the archive is locked' >&2\n"
                       "exit 1\n")
                         .arg(BinDir())
                         .toUtf8());
    const Run run = cli({S("up"), S("2")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(S("addon2: the archive is locked"))) << run.err.toStdString();
    EXPECT_EQ(run.out, S("1\n"));
}

TEST_F(CliErrors, MessagesComeInTheStoredLanguage)
{
    useSongs({GameFixture::song(S("s01")), GameFixture::song(S("s02"), S("A"), S("T"), 100)});
    const QString german = useProgramFolder() + S("/languages/Deutsch.lng");
    WriteFile(german, "[Global]\nLanguage=Deutsch\n[Translate]\nmsgcap1=Sonorelle meldet\n"
                      "msg9_1=Zu kurz f\xc3\xbcr Tags: [\nmsg9_2=] besch\xc3\xa4" "digt\n");
    set(SettingsKeys::Language, german);

    // The stream of 100 bytes is reported by the list load and again by show.
    const Run run = cli({S("show"), S("1")});
    EXPECT_EQ(run.exitCode, 1);
    const QString told = S("Sonorelle meldet: Zu kurz für Tags: [s02] beschädigt\n");
    EXPECT_EQ(run.err, told + told);
    EXPECT_TRUE(run.out.startsWith(S("stream\ts02\n"))) << run.out.toStdString();
}

using CliConcurrency = CliFixture;

TEST_F(CliConcurrency, TwentyPairsOfWritersAtOnceLeaveEverySongListedOnceWithItsStream)
{
    useSongs(GameFixture::numberedSongs(6));
    const QStringList before = listed();
    // Forty processes queue for one game on a busy machine: none may give up.
    const QMap<QString, QString> patient{{S("SONORELLE_LOCK_WAIT_MS"), S("300000")}};
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int pair = 0; pair < 20; ++pair) {
        writers.push_back(startCli({S("down"), QString::number(pair % 5)}, patient));
        writers.push_back(startCli({S("up"), QString::number(pair % 5 + 1)}, patient));
    }
    for (const auto& writer : writers) {
        const Run run = finished(*writer);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    }

    const QStringList after = listed();
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(QSet<QString>(after.cbegin(), after.cend()), QSet<QString>(before.cbegin(), before.cend()));
    // `list` took the list out of the archive: each song there has its stream.
    const QStringList streams = game->listedStreams();
    EXPECT_EQ(QSet<QString>(streams.cbegin(), streams.cend()).size(), before.size());
    for (const QString& stream : streams)
        EXPECT_TRUE(QFileInfo::exists(game->streamPath(stream))) << stream.toStdString();
}

TEST_F(CliConcurrency, AWriterThatCannotGetTheGameSaysItIsBusyAndChangesNothing)
{
    const QString gameDir = QDir::cleanPath(game->audioDir() + S("/../.."));
    const GameLock held(gameDir, 0);
    ASSERT_TRUE(held.isHeld()) << held.error().toStdString();
    const QByteArray list = game->looseList();
    const QByteArray archive = ReadFile(game->audioDir() + S("audio.big"));

    const QMap<QString, QString> impatient{{S("SONORELLE_LOCK_WAIT_MS"), S("200")}};
    for (const QStringList& command :
         {QStringList{S("down"), S("0")}, {S("tags"), S("1"), S("T"), S("A"), S("B"), S("2009"), S("C")}}) {
        cli(command, impatient).expectFailure(1, S("being changed by another Sonorelle window"));
        EXPECT_EQ(game->looseList(), list);
        EXPECT_EQ(ReadFile(game->audioDir() + S("audio.big")), archive);
    }
    // Reading needs no lock.
    EXPECT_EQ(cli({S("list")}, impatient).exitCode, 0);
}

// Files of the person's, in a folder beside the game.
class CliFileTags : public CliFixture {
protected:
    CliFileTags() { EXPECT_TRUE(QDir().mkpath(music())); }

    QString music() const { return home.filePath(S("music")); }
    QString mp3(const QString& name, const QStringList& tagOptions = {}) const
    {
        return LameMp3(music(), name, tagOptions);
    }
};

QString Shown(const QString& title, const QString& artist, const QString& album, const QString& year,
              const QString& comment)
{
    return S("title\t") + title + S("\nartist\t") + artist + S("\nalbum\t") + album + S("\nyear\t") + year +
           S("\ncomment\t") + comment + u'\n';
}

// No song list is loaded, so a damaged song of the game stays quiet; a tab in a tag cannot
// shift a script's columns.
TEST_F(CliFileTags, ShowsEveryFieldOfTheFileOneALine)
{
    useSongs({GameFixture::song(S("s01")), GameFixture::song(S("s02"), S("A"), S("T"), 100)});
    EXPECT_TRUE(cli({S("list")}).err.contains(S("s02")));
    const QString file =
        mp3(S("v2.mp3"), Args({"--id3v2-only", "--tt", "Two\tWords", "--ta", "Sølvfjord"}));
    const Run shown = cli({S("filetags"), file});
    EXPECT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.err, QString());
    EXPECT_EQ(shown.out, Shown(S("Two\\tWords"), S("Sølvfjord"), {}, {}, {}));
}

TEST_F(CliFileTags, SavingNeedsNeitherTheGameNorTheSetupAndSpeaksEnglish)
{
    set(SettingsKeys::CDDrive, QString());
    set(SettingsKeys::Language, QString());
    const QMap<QString, QString> noGame{{S("WINEPREFIX"), home.filePath(S("no-wine"))}};
    const QString file = mp3(S("song.mp3"));
    const Run saved = cli({S("setfiletags"), file, S("Grüße"), {}, S("B-Sides"), S("1999"), S("Comment")}, noGame);
    EXPECT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_EQ(saved.out + saved.err, QString());
    EXPECT_EQ(cli({S("filetags"), file}, noGame).out, Shown(S("Grüße"), {}, S("B-Sides"), S("1999"), S("Comment")));
    const QString wav = home.filePath(S("music/tone.wav"));
    WriteFile(wav, QByteArray(500, 'a'));
    cli({S("setfiletags"), wav, S("t"), {}, {}, {}, {}}, noGame).expectFailure(1, S("Sonorelle: "));
}

// The code page of the records follows the locale the program runs under; what it
// cannot hold is refused with exit code 1.
QMap<QString, QString> Locale(const char* name)
{
    return {{S("LC_ALL"), QString()}, {S("LC_CTYPE"), QString()}, {S("LANG"), S(name)}};
}

TEST_F(CliFileTags, TextsAreStoredInTheLocalesCodePageOrRefused)
{
    const QString file = mp3(S("song.mp3"));
    const QByteArray audio = ReadFile(file);
    const QStringList setFileTags{S("setfiletags"), file, S("Кино"), QString(), QString(), QString(), QString()};
    cli(setFileTags, Locale("en_US.UTF-8")).expectFailure(1, S("Кино\nTagCodePage = 1252"));
    EXPECT_EQ(ReadFile(file), audio);
    EXPECT_EQ(cli(setFileTags, Locale("ru_RU.UTF-8")).exitCode, 0);
    EXPECT_EQ(ReadFile(file).mid(audio.size() + 3, 4), QByteArray("\xCA\xE8\xED\xEE"));
}

TEST_F(CliFileTags, WhatCannotBeReadOrTaggedIsAnErrorAndChangesNothing)
{
    const QString gone = home.filePath(S("music/gone.mp3"));
    cli({S("setfiletags"), gone, S("t"), S("a"), S("b"), S("2009"), S("c")}).expectFailure(1, gone);
    cli({S("filetags"), gone}).expectFailure(1, S("Sonorelle: This file does not exist:\n") + gone + u'\n');

    // A stream too short for a record is reported as the window reports it.
    WriteFile(home.filePath(S("music/cut.str")), QByteArray(100, 'a'));
    const Run damaged = cli({S("filetags"), home.filePath(S("music/cut.str"))});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.err.contains(S("too short to hold a tag record: cut.str"))) << damaged.err.toStdString();
}

TEST_F(CliFileTags, PlaylistPrintsEachEntryWithItsFullPathAndWhetherTheFileIsThere)
{
    WriteFile(music() + S("/Music/here.mp3"), "x");
    WriteFile(music() + S("/party.m3u"),
              "#EXTM3U\r\n#EXTINF:215,Kestrel Lane - Floodlights\r\nMusic\\here.mp3\r\n#EXTGRP:ignored\r\n"
              "gone\tname.mp3\r\n");
    const Run listed = cli({S("playlist"), music() + S("/party.m3u")});
    EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.out, S("0\t215\tKestrel Lane - Floodlights\t") + music() + S("/Music/here.mp3\tyes\n") +
                              S("1\t0\tgone\\tname.mp3\t") + music() + S("/gone\\tname.mp3\tno\n"));

    cli({S("playlist"), music() + S("/none.m3u")}).expectFailure(1, S("does not exist"));
}

class CliGames : public CliFixture {
protected:
    // sonorelle-cli in the fake home, without WINEPREFIX.
    Run games(const QStringList& options = {}) const
    {
        QMap<QString, QString> environment{{S("WINEPREFIX"), QString()}};
        const QProcessEnvironment variables = wineHome.environment();
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            environment.insert(S(name), variables.value(S(name)));
        return cli(options + QStringList{S("games")}, environment);
    }
    static QString line(const QString& manager, const QString& name, const QString& prefix, const char* inUse)
    {
        return QStringList{manager, name, prefix, prefix + S("/drive_c/Games/Kickvale 09/"), S(inUse)}.join(u'\t') +
               u'\n';
    }

    FakeWineHome wineHome;
    QString first = wineHome.addPrefix(S(".wine"));
    QString second = wineHome.addPrefix(S(".PlayOnLinux/wineprefix/Kick"), FakeWineHome::View::Plain);
    QString empty = wineHome.addPrefix(S(".PlayOnLinux/wineprefix/Empty"), FakeWineHome::View::Plain, false);
};

TEST_F(CliGames, ListsEveryInstallationAndTheOneInUseAStoredChoiceFirst)
{
    const Run plain = games();
    EXPECT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    EXPECT_EQ(plain.out, line(S("Wine"), S(".wine"), first, "yes") + line(S("PlayOnLinux"), S("Kick"), second, "no"));
    EXPECT_FALSE(plain.err.contains(S("skipped")));

    const Run verbose = games({S("--verbose")});
    EXPECT_EQ(verbose.out, plain.out);
    EXPECT_TRUE(verbose.err.contains(S("PlayOnLinux prefix ") + empty + S(" skipped: the game's folder")))
        << verbose.err.toStdString();

    set(SettingsKeys::GamePrefix, second + S("/"));
    EXPECT_EQ(games().out,
              line(S("Wine"), S(".wine"), first, "no") + line(S("PlayOnLinux"), S("Kick"), second, "yes"));
}

}  // namespace
}  // namespace sonorelle::test
