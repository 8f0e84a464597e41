#include "FileSizeLimit.h"
#include "GameFixture.h"

#include "songdata/SongListFile.h"
#include "songdata/TagRecordFile.h"

#include <QFile>

#include <gtest/gtest.h>


namespace sonorelle {
namespace {

using test::GameFixture;

void tag(const QString& path, const QString& artist, const QString& title)
{
    QString error;
    ASSERT_TRUE(TagRecordFile::write(path, TagRecord::forSlot(title, artist, {}, {}, {}),
                                     TagRecordFile::Placement::ReplaceAnyCaseTag, &error));
}

TEST(NameExpertTest, KeepsFileOrderAndDropsRecordsWithoutStream)
{
    GameFixture fixture(GameFixture::numberedSongs(4));
    ASSERT_TRUE(QFile::remove(fixture.streamPath(QStringLiteral("s02"))));

    const QStringList lines = fixture.document->NameExpert();
    EXPECT_EQ(lines, QStringList({QStringLiteral("Artist 1 - Title 1"), QStringLiteral("Artist 3 - Title 3"),
                                  QStringLiteral("Artist 4 - Title 4")}));
    const SlotList& list = fixture.document->slotList();
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list.at(1).streamName, QStringLiteral("s03"));
    EXPECT_EQ(list.at(3), SongListRecord{}) << "one empty entry closes the list";
    EXPECT_TRUE(fixture.feedback.messages.isEmpty());
}

TEST(NameExpertTest, MissingListLoadsAsOnlyTheFreeEntry)
{
    GameFixture fixture(GameFixture::numberedSongs(2));
    ASSERT_TRUE(QFile::remove(fixture.audioDir() + QStringLiteral("songlist.bin")));
    EXPECT_TRUE(fixture.document->NameExpert().isEmpty());
    EXPECT_EQ(fixture.document->slotList().size(), 1);
}

TEST(NameExpertTest, StreamNamesCannotReachOutsideTheAudioFolder)
{
    GameFixture fixture(GameFixture::numberedSongs(1));
    QFile outside(fixture.game.gameDir() + QStringLiteral("data/x.sng"));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    SongListRecord escaping;
    escaping.streamName = QStringLiteral("../x");
    SongListRecord song;
    song.streamName = QStringLiteral("s01");
    fixture.writeLooseList(SongListFile::encode({escaping, song}));

    EXPECT_EQ(fixture.document->NameExpert().size(), 1);
    EXPECT_EQ(fixture.document->slotList().at(0).streamName, QStringLiteral("s01"));
}

TEST(NameExpertTest, LineComesFromTheTagRecordCutTo20OrFromTheListInFull)
{
    GameFixture fixture(GameFixture::numberedSongs(2));
    tag(fixture.streamPath(QStringLiteral("s01")), QStringLiteral("An Artist Name Of 25 Chars"),
        QStringLiteral("  Padded title"));
    // A list written elsewhere may hold longer texts than this program writes.
    SongListRecord wide;
    wide.streamName = QStringLiteral("s02");
    wide.artist = QStringLiteral("  Thirty characters of artist ");
    wide.title = QStringLiteral("T");
    QByteArray bytes = SongListFile::encode({SongListFile::decode(fixture.looseList()).at(0), wide});
    bytes.replace(SongListRecord::Size + 12, 30, wide.artist.toUtf8());
    fixture.writeLooseList(bytes);

    const QStringList lines = fixture.document->NameExpert();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0), QStringLiteral("An Artist Name Of 25 - Padded title"));
    EXPECT_EQ(lines.at(1), QStringLiteral("Thirty characters of artist - T"));
    EXPECT_EQ(fixture.document->slotList().at(1).artist, QStringLiteral("Thirty characters of artist"))
        << "the entry keeps the stripped text";
    EXPECT_EQ(fixture.StrTg.StrArtist, QStringLiteral("An Artist Name Of 25 Chars").leftJustified(30))
        << "the working record holds the last tag read";
}

TEST(NameExpertTest, StreamTooShortForATagIsReportedAndShownByName)
{
    QList<DemoSong> songs = GameFixture::numberedSongs(3);
    songs[1].fillerBytes = 100;
    GameFixture fixture(songs);

    const QStringList lines = fixture.document->NameExpert();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(1), QStringLiteral("s02"));
    EXPECT_EQ(lines.at(2), QStringLiteral("Artist 3 - Title 3")) << "the load goes on";
    ASSERT_EQ(fixture.feedback.messages.size(), 1);
    EXPECT_EQ(fixture.feedback.messages.at(0).text, QStringLiteral("Stream s02 too short"));
    EXPECT_EQ(fixture.feedback.messages.at(0).caption, QStringLiteral("msgcap1"));
    EXPECT_EQ(fixture.feedback.messages.at(0).icon, MessageIcon::Critical);
}

TEST(SaveListTest, UneditedListIsWrittenBackWithFixedStampsAndIntoTheArchive)
{
    GameFixture fixture(GameFixture::numberedSongs(3));
    QByteArray foreign = fixture.looseList();
    for (qsizetype offset = 0; offset < foreign.size(); offset += SongListRecord::Size) {
        foreign.replace(offset, 4, "\x01\x02\x03\x04");
        foreign.replace(offset + 132, 8, QByteArray(8, '\x7f'));
    }
    fixture.writeLooseList(foreign);
    fixture.document->NameExpert();

    ASSERT_TRUE(fixture.document->SaveList());
    const QByteArray written = fixture.looseList();
    EXPECT_EQ(written, SongListFile::encode(SongListFile::decode(foreign)));
    EXPECT_EQ(written.left(4), QByteArray("\xd4\x3e\x32\x01", 4));
    EXPECT_EQ(written.mid(132, 8), QByteArray(8, '\0'));
    EXPECT_EQ(fixture.archivedList(), written);
    EXPECT_EQ(fixture.feedback.statuses, QStringList{QStringLiteral("OK")});
}

TEST(SaveListTest, EntriesWithoutStreamAndTheFreeEntryAreNotWritten)
{
    GameFixture fixture(GameFixture::numberedSongs(3));
    fixture.document->NameExpert();
    ASSERT_TRUE(QFile::remove(fixture.streamPath(QStringLiteral("s01"))));
    SongListRecord& free = fixture.document->slotList().freeEntry();
    free.streamName = QStringLiteral("s09");  // filled, but its stream was never made

    ASSERT_TRUE(fixture.document->SaveList());
    EXPECT_EQ(fixture.listedStreams(), QStringList({QStringLiteral("s02"), QStringLiteral("s03")}));
}

class SaveListFailureTest : public ::testing::Test {
protected:
    SaveListFailureTest()
        : fixture(GameFixture::numberedSongs(3))
    {
        fixture.document->NameExpert();
        before = fixture.looseList();
        fixture.document->slotList()[0].title = QStringLiteral("Changed");
    }

    void expectReportedAndOldListKept(const char* detail)
    {
        EXPECT_EQ(fixture.looseList(), before);
        EXPECT_EQ(fixture.archivedList(), before);
        ASSERT_EQ(fixture.feedback.messages.size(), 1);
        EXPECT_EQ(fixture.feedback.messages.at(0).icon, MessageIcon::Critical);
        EXPECT_TRUE(fixture.feedback.messages.at(0).text.contains(QString::fromUtf8(detail)))
            << fixture.feedback.messages.at(0).text.toStdString();
        EXPECT_FALSE(fixture.feedback.statuses.contains(QStringLiteral("OK")));
    }

    GameFixture fixture;
    QByteArray before;
};

TEST_F(SaveListFailureTest, FailingArchiveToolPutsTheOldListBack)
{
    fixture.useFailingArchiveTool();
    EXPECT_FALSE(fixture.document->SaveList());
    expectReportedAndOldListKept("the archive is damaged");
}

TEST_F(SaveListFailureTest, MissingArchiveToolPutsTheOldListBack)
{
    fixture.shared.ProgramDir = fixture.toolDir.path();
    EXPECT_FALSE(fixture.document->SaveList());
    expectReportedAndOldListKept("could not be started");
}

TEST_F(SaveListFailureTest, ListThatCannotBeWrittenLeavesTheOldOne)
{
    bool savedOk = true;
    {
        const test::FileSizeLimit fullDisk(200);
        savedOk = fixture.document->SaveList();
    }
    EXPECT_FALSE(savedOk);
    expectReportedAndOldListKept("songlist.bin");
}

TEST_F(SaveListFailureTest, UnknownGameFolderWritesNothingAnywhere)
{
    fixture.shared.GameAudioDir.clear();
    EXPECT_FALSE(fixture.document->SaveList());
    expectReportedAndOldListKept("could not be written");
    EXPECT_TRUE(fixture.document->NameExpert().isEmpty());
}

TEST_F(SaveListFailureTest, ReadOnlyAudioFolderLeavesTheOldList)
{
    QFile folder(fixture.audioDir());
    const QFileDevice::Permissions permissions = folder.permissions();
    ASSERT_TRUE(folder.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    QFile probe(fixture.audioDir() + QStringLiteral("probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        folder.setPermissions(permissions);
        GTEST_SKIP() << "permissions do not bind this user";
    }
    const bool savedOk = fixture.document->SaveList();
    folder.setPermissions(permissions);

    EXPECT_FALSE(savedOk);
    expectReportedAndOldListKept("songlist.bin");
}

}  // namespace
}  // namespace sonorelle
