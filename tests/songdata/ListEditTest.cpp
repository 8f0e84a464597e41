#include "GameFixture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using test::GameFixture;

class ListEditTest : public ::testing::Test {
protected:
    explicit ListEditTest(int songs = 4)
        : fixture(GameFixture::numberedSongs(songs))
    {
        document().NameExpert();
        document().seedShuffle(20070100);
    }

    SongListDocument& document() { return *fixture.document; }

    static QStringList names(std::initializer_list<int> numbers)
    {
        QStringList result;
        for (int number : numbers)
            result.append(QStringLiteral("s%1").arg(number, 2, 10, QLatin1Char('0')));
        return result;
    }

    // The list on disk, in the archive and in memory must tell the same story.
    void expectOrder(const QStringList& expected)
    {
        EXPECT_EQ(fixture.listedStreams(), expected);
        EXPECT_EQ(fixture.archivedList(), fixture.looseList());
        const SlotList& list = document().slotList();
        ASSERT_EQ(list.size(), expected.size() + 1);
        for (qsizetype i = 0; i < expected.size(); ++i)
            EXPECT_EQ(list.at(i).streamName, expected.at(i));
        EXPECT_TRUE(list.at(list.lastIndex()).streamName.isEmpty()) << "the free entry stays last";
        EXPECT_EQ(document().lines().size(), expected.size());
    }

    GameFixture fixture;
};

TEST_F(ListEditTest, MoveUpSwapsWithThePreviousSong)
{
    EXPECT_EQ(document().MoveUp(2), 1);
    expectOrder(names({1, 3, 2, 4}));
    EXPECT_EQ(document().lines().at(1), QStringLiteral("Artist 3 - Title 3"));
}

TEST_F(ListEditTest, MoveUpOfTheFirstSongOrWithoutSelectionChangesNothingAndSelectsTheFirst)
{
    EXPECT_EQ(document().MoveUp(0), 0);
    expectOrder(names({1, 2, 3, 4}));
    EXPECT_EQ(document().MoveUp(-1), 0);
    expectOrder(names({1, 2, 3, 4}));
}

TEST_F(ListEditTest, MoveDownSwapsWithTheNextSong)
{
    EXPECT_EQ(document().MoveDown(1), 2);
    expectOrder(names({1, 3, 2, 4}));
}

TEST_F(ListEditTest, MoveDownOfTheLastSongKeepsOrderAndSelection)
{
    EXPECT_EQ(document().MoveDown(3), 3);
    expectOrder(names({1, 2, 3, 4}));
}

TEST_F(ListEditTest, MoveDownWithoutSelectionSelectsTheFirst)
{
    EXPECT_EQ(document().MoveDown(-1), 0);
    expectOrder(names({1, 2, 3, 4}));
}

TEST_F(ListEditTest, ShuffleIsAPermutationWithTheFreeEntryLastAndKeepsTheSelectedIndex)
{
    EXPECT_EQ(document().Shuffle(2), 2);
    const QStringList order = fixture.listedStreams();
    QStringList sorted = order;
    sorted.sort();
    EXPECT_EQ(sorted, names({1, 2, 3, 4}));
    expectOrder(order);
    EXPECT_EQ(document().Shuffle(-1), -1) << "no selection stays none";
}

TEST_F(ListEditTest, ShuffleWithTheSameSeedGivesTheSameOrder)
{
    document().Shuffle(-1);
    const QStringList first = fixture.listedStreams();
    GameFixture other(GameFixture::numberedSongs(4));
    other.document->NameExpert();
    other.document->seedShuffle(20070100);
    other.document->Shuffle(-1);
    EXPECT_EQ(other.listedStreams(), first);
}

TEST_F(ListEditTest, ShuffleReachesEveryOrderOfThreeSongs)
{
    GameFixture three(GameFixture::numberedSongs(3));
    three.document->NameExpert();
    three.document->seedShuffle(7);
    QHash<QString, int> seen;
    constexpr int Rounds = 60;
    for (int round = 0; round < Rounds; ++round) {
        three.document->Shuffle(-1);
        ++seen[three.listedStreams().join(u',')];
    }
    // Six orders, ten expected of each; a biased swap walk starves some of them.
    EXPECT_EQ(seen.size(), 6);
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        EXPECT_GE(it.value(), 2) << it.key().toStdString();
}

TEST_F(ListEditTest, DeleteSavesTheListAndMovesTheStreamToTheTrash)
{
    EXPECT_EQ(document().Delete(1), 1);
    expectOrder(names({1, 3, 4}));
    EXPECT_EQ(document().lines().at(1), QStringLiteral("Artist 3 - Title 3"));
    EXPECT_FALSE(QFile::exists(fixture.streamPath(QStringLiteral("s02"))));
    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash/files/");
    EXPECT_TRUE(QDir(trash).entryList({QStringLiteral("s02*.sng")}, QDir::Files).size() == 1)
        << "nothing in " << trash.toStdString();
}

TEST_F(ListEditTest, DeleteOfTheLastLineSelectsTheNewLastLine)
{
    EXPECT_EQ(document().Delete(3), 2);
    expectOrder(names({1, 2, 3}));
}

TEST_F(ListEditTest, DeleteWithoutSelectionReportsAndChangesNothing)
{
    const QByteArray before = fixture.looseList();
    EXPECT_EQ(document().Delete(-1), -1);
    EXPECT_EQ(fixture.looseList(), before);
    ASSERT_EQ(fixture.feedback.messages.size(), 1);
    EXPECT_EQ(fixture.feedback.messages.at(0).text, QStringLiteral("msg6"));
    EXPECT_EQ(document().lines().size(), 4);
}

TEST_F(ListEditTest, DeleteKeepsAStreamThatAnotherEntryStillNames)
{
    document().slotList()[2].streamName = QStringLiteral("s02");
    ASSERT_TRUE(document().SaveList());
    document().NameExpert();
    document().Delete(1);
    EXPECT_TRUE(QFile::exists(fixture.streamPath(QStringLiteral("s02"))));
    expectOrder(names({1, 2, 4}));
}

TEST_F(ListEditTest, DeleteThatCannotSaveKeepsTheSongAndItsStream)
{
    fixture.useFailingArchiveTool();
    const QByteArray before = fixture.looseList();
    EXPECT_EQ(document().Delete(1), 1);
    EXPECT_EQ(fixture.looseList(), before);
    EXPECT_TRUE(QFile::exists(fixture.streamPath(QStringLiteral("s02"))));
    EXPECT_EQ(document().slotList().at(1).streamName, QStringLiteral("s02"));
    EXPECT_EQ(document().lines().size(), 4);
}

class OneSongListEditTest : public ListEditTest {
protected:
    OneSongListEditTest()
        : ListEditTest(1)
    {
    }
};

TEST_F(OneSongListEditTest, ShuffleAndMovesKeepTheOneSong)
{
    EXPECT_EQ(document().Shuffle(0), 0);
    expectOrder(names({1}));
    EXPECT_EQ(document().MoveDown(0), 0);
    expectOrder(names({1}));
    EXPECT_EQ(document().MoveUp(0), 0);
    expectOrder(names({1}));
}

TEST_F(OneSongListEditTest, DeletingTheOnlySongLeavesAnEmptyListAndNoSelection)
{
    EXPECT_EQ(document().Delete(0), -1);
    expectOrder({});
    EXPECT_TRUE(fixture.looseList().isEmpty());
    EXPECT_EQ(document().MoveUp(-1), -1) << "nothing to select in an empty list";
}

}  // namespace
}  // namespace sonorelle
