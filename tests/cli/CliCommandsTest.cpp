#include "cli/CliFixture.h"

#include "songdata/SongListFile.h"

#include <QFile>

#include <algorithm>

namespace sonorelle::test {
namespace {

using CliCommands = CliFixture;

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("Artist %1 - Title %1").arg(i));
    return lines;
}

QStringList numberedStreams(int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(QStringLiteral("s%1").arg(i, 2, 10, QLatin1Char('0')));
    return names;
}

QString field(const QString& shown, const QString& name)
{
    for (const QString& line : shown.split(u'\n', Qt::SkipEmptyParts)) {
        if (line.section(u'\t', 0, 0) == name)
            return line.section(u'\t', 1);
    }
    ADD_FAILURE() << "no field " << name.toStdString() << " in:\n" << shown.toStdString();
    return {};
}

TEST_F(CliCommands, ListPrintsEverySongsLineAfterItsIndex)
{
    const Run run = cli({QStringLiteral("list")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QString());
    EXPECT_EQ(run.out, QStringLiteral("0\tArtist 1 - Title 1\n1\tArtist 2 - Title 2\n"
                                      "2\tArtist 3 - Title 3\n3\tArtist 4 - Title 4\n"));
}

TEST_F(CliCommands, ControlCharactersCannotSplitALineOrAField)
{
    useSongs({GameFixture::song(QStringLiteral("s01"), QStringLiteral("AC\\DC"), QStringLiteral("Two\tWords")),
              GameFixture::song(QStringLiteral("s02"), QStringLiteral("Bell\a"), QStringLiteral("Line\nBreak"))});
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("AC\\\\DC - Two\\tWords"), QStringLiteral("Bell\\x07 - Line\\nBreak")}));
    EXPECT_EQ(field(cli({QStringLiteral("show"), QStringLiteral("1")}).out, QStringLiteral("title")),
              QStringLiteral("Line\\nBreak"));
}

TEST_F(CliCommands, TagsAreSavedAsTheButtonSavesThemAndShowReadsThemBack)
{
    const Run before = cli({QStringLiteral("show"), QStringLiteral("1")});
    EXPECT_EQ(before.exitCode, 0);
    EXPECT_EQ(before.out, QStringLiteral("stream\ts02\nartist\tArtist 2\ntitle\tTitle 2\nalbum\tAlbum\n"
                                         "tag.title\t\ntag.artist\t\ntag.album\t\ntag.year\t\ntag.comment\t\n"
                                         "tag.genre\t\n"));

    const Run saved = cli({QStringLiteral("tags"), QStringLiteral("1"), QStringLiteral("A title of 23 characters"),
                           QString::fromUtf8("Sølvfjord"), QStringLiteral("Open Play"), QStringLiteral("20089"),
                           QStringLiteral("first take")});
    EXPECT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_EQ(saved.out, QString());

    const QString shown = cli({QStringLiteral("show"), QStringLiteral("1")}).out;
    const QString cutTitle = QStringLiteral("A title of 23 charac");
    EXPECT_EQ(field(shown, QStringLiteral("title")), cutTitle);
    EXPECT_EQ(field(shown, QStringLiteral("artist")), QString::fromUtf8("Sølvfjord"));
    EXPECT_EQ(field(shown, QStringLiteral("tag.title")), cutTitle);
    EXPECT_EQ(field(shown, QStringLiteral("tag.album")), QStringLiteral("Open Play"));
    EXPECT_EQ(field(shown, QStringLiteral("tag.year")), QStringLiteral("2008"));
    EXPECT_EQ(field(shown, QStringLiteral("tag.comment")), QStringLiteral("first take"));
    EXPECT_EQ(field(shown, QStringLiteral("tag.genre")), QStringLiteral("7"));
    EXPECT_EQ(listed().at(1), QString::fromUtf8("Sølvfjord - ") + cutTitle);

    // The game reads the archive's copy of the list.
    const QList<SongListRecord> archived = SongListFile::decode(game->archivedList());
    ASSERT_EQ(archived.size(), 4);
    EXPECT_EQ(archived[1].title, cutTitle);
    EXPECT_EQ(archived[1].artist, QString::fromUtf8("Sølvfjord"));
    EXPECT_EQ(archived[1].album, QStringLiteral("Open Play"));
    EXPECT_EQ(archived[0].title, QStringLiteral("Title 1"));
}

TEST_F(CliCommands, ListEditsPrintTheSelectionTheyLeaveAndChangeTheArchivedList)
{
    const auto edit = [this](const QString& command, const QString& index) {
        const Run run = cli({command, index});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out;
    };
    EXPECT_EQ(edit(QStringLiteral("up"), QStringLiteral("2")), QStringLiteral("1\n"));
    EXPECT_EQ(archivedStreams(), (QStringList{QStringLiteral("s01"), QStringLiteral("s03"), QStringLiteral("s02"),
                                              QStringLiteral("s04")}));
    EXPECT_EQ(edit(QStringLiteral("up"), QStringLiteral("0")), QStringLiteral("0\n"));
    EXPECT_EQ(edit(QStringLiteral("down"), QStringLiteral("3")), QStringLiteral("3\n"));
    EXPECT_EQ(edit(QStringLiteral("down"), QStringLiteral("0")), QStringLiteral("1\n"));
    const QStringList moved{QStringLiteral("s03"), QStringLiteral("s01"), QStringLiteral("s02"), QStringLiteral("s04")};
    EXPECT_EQ(archivedStreams(), moved);
    EXPECT_EQ(game->listedStreams(), moved);
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("Artist 3 - Title 3"), QStringLiteral("Artist 1 - Title 1"),
                                     QStringLiteral("Artist 2 - Title 2"), QStringLiteral("Artist 4 - Title 4")}));

    // Deleting the last song selects the new last one; its stream goes to the trash.
    EXPECT_EQ(edit(QStringLiteral("delete"), QStringLiteral("3")), QStringLiteral("2\n"));
    EXPECT_EQ(archivedStreams(), moved.mid(0, 3));
    EXPECT_FALSE(QFile::exists(game->streamPath(QStringLiteral("s04"))));
    EXPECT_TRUE(QFile::exists(trashed(QStringLiteral("s04"))));
    EXPECT_EQ(edit(QStringLiteral("delete"), QStringLiteral("0")), QStringLiteral("0\n"));
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("Artist 1 - Title 1"), QStringLiteral("Artist 2 - Title 2")}));
}

TEST_F(CliCommands, DeletingTheOnlySongLeavesNoSelection)
{
    useSongs(GameFixture::numberedSongs(1));
    EXPECT_EQ(cli({QStringLiteral("delete"), QStringLiteral("0")}).out, QStringLiteral("-1\n"));
    EXPECT_EQ(cli({QStringLiteral("list")}).out, QString());
    EXPECT_EQ(cli({QStringLiteral("shuffle")}).out, QStringLiteral("-1\n"));
}

TEST_F(CliCommands, ShuffleKeepsEverySongAndTheStartUpSelection)
{
    useSongs(GameFixture::numberedSongs(12));
    const Run run = cli({QStringLiteral("shuffle")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("0\n"));

    QStringList order = archivedStreams();
    QStringList lines = listed();
    ASSERT_EQ(order.size(), 12);
    ASSERT_EQ(lines.size(), 12);
    // The lines follow the archived order: line i is song s<k> where order[i] is s<k>.
    for (qsizetype i = 0; i < order.size(); ++i) {
        const int number = order[i].mid(1).toInt();
        EXPECT_EQ(lines[i], numberedLines(12).at(number - 1));
    }
    std::sort(order.begin(), order.end());
    EXPECT_EQ(order, numberedStreams(12));
}

}  // namespace
}  // namespace sonorelle::test
