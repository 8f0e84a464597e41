#include "support/GameFixture.h"
#include "support/NamedRows.h"

#include <QFile>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using test::PrintTo;
using test::GameFixture;

QString streamName(int number)
{
    return QStringLiteral("s%1").arg(number, 2, 10, QLatin1Char('0'));
}

class ListEditFixture {
public:
    explicit ListEditFixture(int songs)
        : fixture(GameFixture::numberedSongs(songs))
    {
        document().NameExpert();
        document().seedShuffle(20070100);
    }

    SongListDocument& document() { return *fixture.document; }

    // The list on disk, in the archive, in memory and on screen tell the same story.
    void expectOrder(const QList<int>& songs)
    {
        QStringList names;
        QStringList lines;
        for (int song : songs) {
            names.append(streamName(song));
            lines.append(QStringLiteral("Artist %1 - Title %1").arg(song));
        }
        EXPECT_EQ(fixture.listedStreams(), names);
        EXPECT_EQ(fixture.archivedList(), fixture.looseList());
        QStringList slotNames;
        for (qsizetype i = 0; i < document().slotList().size(); ++i)
            slotNames.append(document().slotList().at(i).streamName);
        EXPECT_EQ(slotNames, names + QStringList{QString()}) << "the free entry stays last";
        EXPECT_EQ(document().lines(), lines);
    }

    GameFixture fixture;
};

struct Edit {
    const char* name;
    int songs;
    int (SongListDocument::*edit)(int);
    int selected;
    int selectedAfter;
    QList<int> order;
    const char* message = nullptr;  // the one message the edit tells, if any
};

class ListEditRuleTest : public ::testing::TestWithParam<Edit> {};

TEST_P(ListEditRuleTest, GivesOrderAndSelection)
{
    const Edit& c = GetParam();
    ListEditFixture list(c.songs);
    EXPECT_EQ((list.document().*c.edit)(c.selected), c.selectedAfter);
    list.expectOrder(c.order);
    QStringList told;
    for (const auto& message : list.fixture.feedback.messages)
        told.append(message.text);
    EXPECT_EQ(told, c.message ? QStringList{QString::fromLatin1(c.message)} : QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ListEditRuleTest,
    ::testing::Values(Edit{"MoveUpInEmptyList", 0, &SongListDocument::MoveUp, -1, -1, {}},
                      Edit{"MoveDownInEmptyList", 0, &SongListDocument::MoveDown, -1, -1, {}},
                      Edit{"MoveUpNoSelectionSelectsFirst", 4, &SongListDocument::MoveUp, -1, 0, {1, 2, 3, 4}},
                      Edit{"MoveDownNoSelectionSelectsFirst", 4, &SongListDocument::MoveDown, -1, 0, {1, 2, 3, 4}},
                      Edit{"DeleteNoSelectionIsTold", 4, &SongListDocument::Delete, -1, -1, {1, 2, 3, 4}, "msg6"},
                      Edit{"DeleteOnlySongLeavesNoSelection", 1, &SongListDocument::Delete, 0, -1, {}},
                      Edit{"OneSongShuffle", 1, &SongListDocument::Shuffle, 0, 0, {1}}),
    [](const ::testing::TestParamInfo<Edit>& test) { return std::string(test.param.name); });

TEST(ListShuffleTest, ReachesEveryOrderOfThreeSongsAndKeepsNoSelection)
{
    ListEditFixture three(3);
    three.document().seedShuffle(7);
    QHash<QString, int> seen;
    for (int round = 0; round < 60; ++round) {
        EXPECT_EQ(three.document().Shuffle(-1), -1);
        ++seen[three.fixture.listedStreams().join(u',')];
    }
    // Six orders, ten expected of each; a biased swap walk starves some of them.
    EXPECT_EQ(seen.size(), 6);
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        EXPECT_GE(it.value(), 2) << it.key().toStdString();
    QList<int> order;
    for (const QString& name : three.fixture.listedStreams())
        order.append(name.mid(1).toInt());
    three.expectOrder(order);
}

TEST(ListDeleteTest, KeepsAStreamThatAnotherEntryStillNames)
{
    ListEditFixture list(4);
    list.document().slotList()[2].streamName = QStringLiteral("s02");
    ASSERT_TRUE(list.document().SaveList());
    list.document().NameExpert();
    list.document().Delete(1);
    EXPECT_TRUE(QFile::exists(list.fixture.streamPath(QStringLiteral("s02"))));
    EXPECT_EQ(list.fixture.listedStreams(),
              QStringList({streamName(1), streamName(2), streamName(4)}));
}

TEST(ListDeleteTest, ThatCannotSaveKeepsTheSongAndItsStream)
{
    ListEditFixture list(4);
    list.fixture.useFailingArchiveTool();
    const QByteArray before = list.fixture.looseList();
    EXPECT_EQ(list.document().Delete(1), 1);
    EXPECT_EQ(list.fixture.looseList(), before);
    EXPECT_TRUE(QFile::exists(list.fixture.streamPath(QStringLiteral("s02"))));
    EXPECT_EQ(list.document().slotList().at(1).streamName, QStringLiteral("s02"));
    EXPECT_EQ(list.document().lines().size(), 4);
}

}  // namespace
}  // namespace sonorelle
