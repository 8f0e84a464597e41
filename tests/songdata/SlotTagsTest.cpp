#include "FileSizeLimit.h"
#include "GameFixture.h"

#include "songdata/TagRecordFile.h"

#include <QFile>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using test::GameFixture;

class SlotTagsTest : public ::testing::Test {
protected:
    SlotTagsTest()
        : fixture(songs())
    {
        document().NameExpert();
        fixture.feedback.messages.clear();  // the load reports the short s03
    }

    static QList<DemoSong> songs()
    {
        QList<DemoSong> list = GameFixture::numberedSongs(3);
        list[1].fillerBytes = 100000;  // larger than the archive
        list[2].fillerBytes = 127;
        return list;
    }

    SongListDocument& document() { return *fixture.document; }

    QByteArray tail(const QString& name, qsizetype bytes) const
    {
        QFile file(fixture.streamPath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().right(bytes) : QByteArray();
    }

    GameFixture fixture;
};

TEST_F(SlotTagsTest, SavedTagsAreReadBackByTheSlotClick)
{
    const SlotTagFields fields{QStringLiteral("A title"), QStringLiteral("An artist"), QStringLiteral("An album"),
                               QStringLiteral("2008"), QStringLiteral("A comment")};
    ASSERT_TRUE(document().SaveSlotTags(0, fields));
    EXPECT_EQ(document().SlotClicked(0), fields);
    EXPECT_EQ(tail(QStringLiteral("s01"), 1), "7") << "slot writers always write genre 7";
    EXPECT_EQ(QFile(fixture.streamPath(QStringLiteral("s01"))).size(), 1000 + 128);
    EXPECT_EQ(document().lines().at(0), QStringLiteral("An artist - A title"));
}

TEST_F(SlotTagsTest, FieldsAreCutToTheirLimitsBeforeSaving)
{
    const SlotTagFields fields{QString(25, u't'), QString(21, u'a'), QString(30, u'b'), QStringLiteral("20081"),
                               QString(22, u'c')};
    ASSERT_TRUE(document().SaveSlotTags(1, fields));
    EXPECT_EQ(document().SlotClicked(1), fields.limited());
    EXPECT_EQ(fields.limited().date, QStringLiteral("2008"));
    EXPECT_EQ(fields.limited().title.size(), 20);
}

TEST_F(SlotTagsTest, SavingTagsCopiesThemIntoTheListEntryAndTheArchive)
{
    ASSERT_TRUE(document().SaveSlotTags(1, {QStringLiteral("New title"), QStringLiteral("New artist"),
                                            QStringLiteral("New album"), {}, {}}));
    const SongListRecord entry = document().slotList().at(1);
    EXPECT_EQ(entry.title, QStringLiteral("New title"));
    EXPECT_EQ(entry.artist, QStringLiteral("New artist"));
    EXPECT_EQ(entry.album, QStringLiteral("New album"));
    EXPECT_EQ(fixture.archivedList(), fixture.looseList());
    EXPECT_TRUE(fixture.looseList().contains("New album"));
}

TEST_F(SlotTagsTest, SaveStrInfoWithoutMassivLeavesTheListTexts)
{
    ASSERT_TRUE(document().SaveStrInfo(fixture.streamPath(QStringLiteral("s02")), QStringLiteral("T"),
                                       QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("2008"), {}, false, 1));
    EXPECT_EQ(document().slotList().at(1).title, QStringLiteral("Title 2"));
    EXPECT_EQ(fixture.StrTg.StrTitle, QStringLiteral("T").leftJustified(30));
    EXPECT_EQ(fixture.feedback.statuses, QStringList{QStringLiteral("OK")}) << "the list is saved anyway";
}

TEST_F(SlotTagsTest, SaveWithoutSelectionReportsMsg4)
{
    EXPECT_FALSE(document().SaveSlotTags(-1, {QStringLiteral("T"), {}, {}, {}, {}}));
    ASSERT_EQ(fixture.feedback.messages.size(), 1);
    EXPECT_EQ(fixture.feedback.messages.at(0).text, QStringLiteral("msg4"));
    EXPECT_TRUE(fixture.feedback.statuses.isEmpty());
}

TEST_F(SlotTagsTest, MissingStreamIsRefusedNotCreated)
{
    const QString gone = fixture.streamPath(QStringLiteral("s02"));
    ASSERT_TRUE(QFile::remove(gone));
    EXPECT_FALSE(document().SaveStrInfo(gone, QStringLiteral("T"), {}, {}, {}, {}, true, 1));
    EXPECT_FALSE(QFile::exists(gone));
    ASSERT_EQ(fixture.feedback.messages.size(), 1);
    EXPECT_TRUE(fixture.feedback.messages.at(0).text.contains(gone));
    EXPECT_EQ(document().slotList().at(1).title, QStringLiteral("Title 2"));
}

TEST_F(SlotTagsTest, TagThatDoesNotFitIsReportedLeavesNoStumpAndTheListIsStillSaved)
{
    const QString stream = fixture.streamPath(QStringLiteral("s02"));
    bool saved = true;
    {
        // Room for part of the record only, as on a full disk; list and archive fit.
        const test::FileSizeLimit fullDisk(100050);
        saved = document().SaveStrInfo(stream, QStringLiteral("T"), {}, {}, {}, {}, true, 1);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(QFile(stream).size(), 100000);
    ASSERT_EQ(fixture.feedback.messages.size(), 1);
    EXPECT_TRUE(fixture.feedback.messages.at(0).text.contains(stream));
    EXPECT_EQ(fixture.feedback.statuses, QStringList{QStringLiteral("OK")});
}

TEST_F(SlotTagsTest, UntaggedSlotShowsEmptyFieldsAndNoSelectionClearsThem)
{
    EXPECT_EQ(document().SlotClicked(0), ClearSlotTagBoxes());
    EXPECT_EQ(document().SlotClicked(-1), ClearSlotTagBoxes());
    EXPECT_TRUE(fixture.feedback.messages.isEmpty());
}

TEST_F(SlotTagsTest, StreamTooShortForATagIsReportedWithItsLine)
{
    EXPECT_EQ(document().SlotClicked(2), ClearSlotTagBoxes());
    ASSERT_EQ(fixture.feedback.messages.size(), 1);
    EXPECT_EQ(fixture.feedback.messages.at(0).text, QStringLiteral("Stream s03 too short"));
}

TEST_F(SlotTagsTest, TrailingBlanksOfATagAreNotShown)
{
    QFile stream(fixture.streamPath(QStringLiteral("s01")));
    ASSERT_TRUE(stream.open(QIODevice::Append));
    QByteArray record = TagRecord::forSlot(QStringLiteral(" Lead"), {}, {}, QStringLiteral("99"), {}).toBytes();
    stream.write(record);
    stream.close();
    const SlotTagFields fields = document().SlotClicked(0);
    EXPECT_EQ(fields.title, QStringLiteral(" Lead"));
    EXPECT_EQ(fields.date, QStringLiteral("99"));
    EXPECT_EQ(fields.artist, QString());
}

}  // namespace
}  // namespace sonorelle
