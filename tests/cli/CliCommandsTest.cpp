#include "support/CliFixture.h"

#include "songdata/SongListFile.h"

#include <QFile>

namespace sonorelle::test {
namespace {

using CliCommands = CliFixture;

QString Line(int song)
{
    return QStringLiteral("Artist %1 - Title %1").arg(song);
}

TEST_F(CliCommands, ListPrintsEachLineAfterItsIndexWithControlCharactersEscaped)
{
    const Run run = cli({QStringLiteral("list")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QString());
    EXPECT_EQ(run.out, QStringLiteral("0\t%1\n1\t%2\n2\t%3\n3\t%4\n").arg(Line(1), Line(2), Line(3), Line(4)));

    // A tab or line break in a name cannot split a line or a field.
    useSongs({GameFixture::song(QStringLiteral("s01"), QStringLiteral("AC\\DC"), QStringLiteral("Two\tWords")),
              GameFixture::song(QStringLiteral("s02"), QStringLiteral("Bell\a"), QStringLiteral("Line\nBreak"))});
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("AC\\\\DC - Two\\tWords"), QStringLiteral("Bell\\x07 - Line\\nBreak")}));
    EXPECT_TRUE(cli({QStringLiteral("show"), QStringLiteral("1")}).out.contains(QStringLiteral("\ntitle\tLine\\nBreak\n")));
}

TEST_F(CliCommands, TagsSavesIntoTheArchivedListAndShowReadsThemBack)
{
    const auto show = [this] { return cli({QStringLiteral("show"), QStringLiteral("1")}); };
    EXPECT_EQ(show().out, QStringLiteral("stream\ts02\nartist\tArtist 2\ntitle\tTitle 2\nalbum\tAlbum\n"
                                         "tag.title\t\ntag.artist\t\ntag.album\t\ntag.year\t\ntag.comment\t\n"
                                         "tag.genre\t\n"));

    const Run saved = cli({QStringLiteral("tags"), QStringLiteral("1"), QStringLiteral("A title"),
                           QString::fromUtf8("Sølvfjord"), QStringLiteral("Open Play"), QStringLiteral("2008"),
                           QStringLiteral("first take")});
    EXPECT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_EQ(saved.out, QString());
    EXPECT_EQ(show().out, QString::fromUtf8("stream\ts02\nartist\tSølvfjord\ntitle\tA title\nalbum\tOpen Play\n"
                                            "tag.title\tA title\ntag.artist\tSølvfjord\ntag.album\tOpen Play\n"
                                            "tag.year\t2008\ntag.comment\tfirst take\ntag.genre\t7\n"));

    // The game reads the archive's copy of the list.
    const QList<SongListRecord> archived = SongListFile::decode(game->archivedList());
    ASSERT_EQ(archived.size(), 4);
    EXPECT_EQ(archived[1].title, QStringLiteral("A title"));
    EXPECT_EQ(archived[1].artist, QString::fromUtf8("Sølvfjord"));
    EXPECT_EQ(archived[1].album, QStringLiteral("Open Play"));
}

TEST_F(CliCommands, ListEditsPrintTheSelectionTheyLeaveAndChangeTheArchivedList)
{
    const auto edit = [this](const QString& command, const QString& index) {
        const Run run = cli(index.isEmpty() ? QStringList{command} : QStringList{command, index});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out;
    };
    EXPECT_EQ(edit(QStringLiteral("up"), QStringLiteral("2")), QStringLiteral("1\n"));
    EXPECT_EQ(edit(QStringLiteral("down"), QStringLiteral("0")), QStringLiteral("1\n"));
    const QStringList moved{QStringLiteral("s03"), QStringLiteral("s01"), QStringLiteral("s02"), QStringLiteral("s04")};
    EXPECT_EQ(archivedStreams(), moved);
    EXPECT_EQ(listed(), (QStringList{Line(3), Line(1), Line(2), Line(4)}));

    // The deleted song's stream goes to the trash of the data folder the command line was given.
    EXPECT_EQ(edit(QStringLiteral("delete"), QStringLiteral("3")), QStringLiteral("2\n"));
    EXPECT_EQ(archivedStreams(), moved.mid(0, 3));
    EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral("data/Trash/files/s04.sng"))));
    EXPECT_EQ(edit(QStringLiteral("shuffle"), {}), QStringLiteral("0\n"));

    // No song left: no selection.
    useSongs(GameFixture::numberedSongs(1));
    EXPECT_EQ(edit(QStringLiteral("delete"), QStringLiteral("0")), QStringLiteral("-1\n"));
    EXPECT_EQ(edit(QStringLiteral("shuffle"), {}), QStringLiteral("-1\n"));
}

}  // namespace
}  // namespace sonorelle::test
