#include "support/CliFixture.h"

#include "support/Mp3Files.h"

#include <QFile>

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

}  // namespace
}  // namespace sonorelle::test
