#include "support/CliFixture.h"

#include "app/SettingsKeys.h"
#include "platform/GameLock.h"
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

}  // namespace
}  // namespace sonorelle::test
