#include "support/GameFixture.h"

#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"

#include <QFile>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using test::GameFixture;

// s01 is a small untagged stream, s02 is larger than the archive, s03 too short for a tag.
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
        list[1].fillerBytes = 100000;
        list[2].fillerBytes = 127;
        return list;
    }

    SongListDocument& document() { return *fixture.document; }
    void expectOneMessageNaming(const QString& text)
    {
        ASSERT_EQ(fixture.feedback.messages.size(), 1);
        EXPECT_TRUE(fixture.feedback.messages.at(0).text.contains(text)) << text.toStdString();
    }

    GameFixture fixture;
};

TEST_F(SlotTagsTest, SavedTagsAreCutToTheirLimitsAndGoIntoStreamListAndArchive)
{
    const SlotTagFields typed{QStringLiteral(" ") + QString(24, u't'), QString(21, u'a'), QString(30, u'b'),
                              QStringLiteral("20081"), QString(22, u'c')};
    const SlotTagFields kept{QStringLiteral(" ") + QString(19, u't'), QString(20, u'a'), QString(20, u'b'),
                             QStringLiteral("2008"), QString(20, u'c')};
    ASSERT_TRUE(document().SaveSlotTags(0, typed));
    EXPECT_EQ(document().SlotClicked(0), kept);
    EXPECT_EQ(QFile(fixture.streamPath(QStringLiteral("s01"))).size(), 1000 + 128);

    const SongListRecord entry = document().slotList().at(0);
    EXPECT_EQ(QStringList({entry.title, entry.artist, entry.album}),
              QStringList({kept.title.trimmed(), kept.artist, kept.album}))
        << "the list keeps its texts stripped";
    EXPECT_EQ(document().lines().at(0), kept.artist + QStringLiteral(" - ") + kept.title.trimmed());
}

TEST_F(SlotTagsTest, CyrillicIsStoredInTheLocalesCodePageOrRefusedWithNothingWritten)
{
    const SlotTagFields cyrillic{QString::fromUtf8("Группа крови"), QString::fromUtf8("Кино"), QStringLiteral("Album"),
                                 QStringLiteral("1988"), QString()};
    const QString stream = fixture.streamPath(QStringLiteral("s01"));
    const QByteArray before = test::ReadFile(stream);
    const QByteArray listBefore = fixture.looseList();

    fixture.shared.TagCodePage = CodePage(CodePage::forLocale(QStringLiteral("en_US.UTF-8")));
    EXPECT_FALSE(document().SaveSlotTags(0, cyrillic));
    EXPECT_EQ(test::ReadFile(stream), before);
    EXPECT_EQ(fixture.looseList(), listBefore);
    EXPECT_EQ(fixture.archivedList(), listBefore);
    // The old message file lacks the key: the English text names the field and the setting.
    // (The reload after it reports the short s03 again.)
    ASSERT_FALSE(fixture.feedback.messages.isEmpty());
    EXPECT_TRUE(fixture.feedback.messages.at(0).text.contains(QString::fromUtf8("Title: Группа крови\nTagCodePage = 1252")))
        << fixture.feedback.messages.at(0).text.toStdString();
    EXPECT_FALSE(fixture.feedback.statuses.contains(QStringLiteral("OK")));

    fixture.shared.TagCodePage = CodePage(CodePage::forLocale(QStringLiteral("ru_RU.UTF-8")));
    ASSERT_TRUE(document().SaveSlotTags(0, cyrillic));
    EXPECT_EQ(document().SlotClicked(0), cyrillic);
    EXPECT_EQ(document().slotList().at(0).artist, QString::fromUtf8("Кино")) << "the list keeps full text";
}

TEST_F(SlotTagsTest, SaveStrInfoWithoutMassivLeavesTheListTexts)
{
    ASSERT_TRUE(document().SaveStrInfo(fixture.streamPath(QStringLiteral("s02")), QStringLiteral("T"),
                                       QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("2008"), {}, false, 1));
    EXPECT_EQ(document().slotList().at(1).title, QStringLiteral("Title 2"));
    EXPECT_EQ(fixture.StrTg.StrTitle, QStringLiteral("T").leftJustified(30));
    EXPECT_EQ(fixture.feedback.statuses, QStringList{QStringLiteral("OK")}) << "the list is saved anyway";
}

TEST_F(SlotTagsTest, MissingStreamIsRefusedNotCreated)
{
    const QString gone = fixture.streamPath(QStringLiteral("s02"));
    ASSERT_TRUE(QFile::remove(gone));
    EXPECT_FALSE(document().SaveStrInfo(gone, QStringLiteral("T"), {}, {}, {}, {}, true, 1));
    EXPECT_FALSE(QFile::exists(gone));
    expectOneMessageNaming(gone);
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
    expectOneMessageNaming(stream);
    EXPECT_EQ(fixture.feedback.statuses, QStringList{QStringLiteral("OK")});
}

TEST_F(SlotTagsTest, SlotWithoutATagOrItsNameShowsItsListEntry)
{
    EXPECT_EQ(document().SlotClicked(-1), ClearSlotTagBoxes());
    // A record that lost the Cyrillic name to its code page: the fields show the list's.
    SongListRecord& cyrillic = document().slotList()[1];
    cyrillic.title = QStringLiteral("Песня");
    ASSERT_TRUE(document().SaveStrInfo(document().streamFileOf(1), {}, QStringLiteral("Artist 2"), {}, QStringLiteral("2009"),
                                       {}, false, 1));
    EXPECT_EQ(document().SlotClicked(1),
              (SlotTagFields{QStringLiteral("Песня"), QStringLiteral("Artist 2"), QStringLiteral("Album"),
                             QStringLiteral("2009"), {}}));

    const SlotTagFields shortOne{QStringLiteral("Title 3"), QStringLiteral("Artist 3"), QStringLiteral("Album"), {}, {}};
    EXPECT_EQ(document().SlotClicked(2), shortOne);
    expectOneMessageNaming(QStringLiteral("Stream s03 too short"));
}

}  // namespace
}  // namespace sonorelle
