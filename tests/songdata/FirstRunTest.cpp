#include "GameFixture.h"

#include "platform/Registry.h"
#include "songdata/FirstRun.h"
#include "songdata/ShippedSoundtrack.h"
#include "songdata/TagRecordFile.h"

#include <QFile>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using test::GameFixture;

// Shipped streams of their exact lengths (sparse filler: only the length matters).
class FirstRunTest : public ::testing::Test {
protected:
    FirstRunTest()
        : fixture(songs())
        , registry(fixture.root.filePath(QStringLiteral("registry.reg")), fixture.root.filePath(QStringLiteral("wine")))
    {
        QFile(fixture.streamPath(QStringLiteral("s702"))).remove();
    }

    static DemoSong shipped(int row, const char* artist, const char* title, qint64 extraBytes = 0)
    {
        return GameFixture::song(ShippedSoundtrack::streamName(row), QString::fromUtf8(artist),
                                 QString::fromUtf8(title), ShippedSoundtrack::Lengths.at(row) + extraBytes);
    }

    static QList<DemoSong> songs()
    {
        DemoSong unlisted = shipped(4, "Nobody", "Nothing");
        unlisted.listed = false;
        return {
            shipped(0, "Harbour Lanterns", "Morning on the Quay"),
            shipped(1, "Changed", "Song", 4410),
            shipped(2, "Missing", "File"),
            shipped(3, "Already", "Tagged", TagRecord::Size),
            unlisted,
            shipped(41, "Sølvfjord Ensemble", "A title that runs well over thirty characters"),
        };
    }

    qint64 sizeOf(int row) const { return QFile(fixture.streamPath(ShippedSoundtrack::streamName(row))).size(); }

    GameFixture fixture;
    Registry registry;
};

TEST_F(FirstRunTest, TagsOnlyUnchangedListedStreamsAndRecordsThePass)
{
    const int tagged = FirstRun(AudioFolder(fixture.audioDir()), fixture.StrTg, registry);
    EXPECT_EQ(tagged, 2);

    EXPECT_EQ(sizeOf(0), ShippedSoundtrack::Lengths.at(0) + TagRecord::Size);
    EXPECT_EQ(sizeOf(1), ShippedSoundtrack::Lengths.at(1) + 4410) << "a changed song keeps its content";
    EXPECT_FALSE(QFile::exists(fixture.streamPath(QStringLiteral("s702")))) << "a missing file is not created";
    EXPECT_EQ(sizeOf(3), ShippedSoundtrack::Lengths.at(3) + TagRecord::Size) << "no second record";
    EXPECT_EQ(sizeOf(4), ShippedSoundtrack::Lengths.at(4)) << "no list record, nothing to write";
    EXPECT_EQ(sizeOf(41), ShippedSoundtrack::Lengths.at(41) + TagRecord::Size);

    TagRecord record;
    ASSERT_EQ(TagRecordFile::read(fixture.streamPath(QStringLiteral("s700")), record),
              TagRecordFile::ReadResult::Tagged);
    EXPECT_EQ(record.StrTitle, QStringLiteral("MORNING ON THE QUAY").leftJustified(30));
    EXPECT_EQ(record.StrArtist, QStringLiteral("HARBOUR LANTERNS").leftJustified(30));
    EXPECT_EQ(record.StrAlbum, QStringLiteral("Kickvale 09 Soundtrack").leftJustified(30));
    EXPECT_EQ(record.StrYear, QStringLiteral("2008"));
    EXPECT_EQ(record.StrComment.trimmed(), ShippedSoundtrack::comment());
    EXPECT_LE(ShippedSoundtrack::comment().size(), 30);
    EXPECT_EQ(record.StrGenre, '7');

    ASSERT_EQ(TagRecordFile::read(fixture.streamPath(QStringLiteral("s741")), record),
              TagRecordFile::ReadResult::Tagged);
    EXPECT_EQ(record.StrArtist, QStringLiteral("SØLVFJORD ENSEMBLE").leftJustified(30));
    EXPECT_EQ(record.StrTitle, QStringLiteral("A TITLE THAT RUNS WE").leftJustified(30)) << "the list keeps 20";

    EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, SettingsKey(), FirstRunValueName()), QStringLiteral("1"));
}

TEST_F(FirstRunTest, SecondPassFindsNothingLeftToTag)
{
    FirstRun(AudioFolder(fixture.audioDir()), fixture.StrTg, registry);
    EXPECT_EQ(FirstRun(AudioFolder(fixture.audioDir()), fixture.StrTg, registry), 0);
    EXPECT_EQ(sizeOf(0), ShippedSoundtrack::Lengths.at(0) + TagRecord::Size);
}

TEST_F(FirstRunTest, MissingAudioFolderStillRecordsThePass)
{
    EXPECT_EQ(FirstRun(AudioFolder(fixture.root.filePath(QStringLiteral("nowhere"))), fixture.StrTg, registry), 0);
    EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, SettingsKey(), FirstRunValueName()), QStringLiteral("1"));
}

TEST(ShippedSoundtrackTest, TableCoversS700ToS741)
{
    EXPECT_EQ(ShippedSoundtrack::streamName(0), QStringLiteral("s700"));
    EXPECT_EQ(ShippedSoundtrack::streamName(41), QStringLiteral("s741"));
    EXPECT_EQ(ShippedSoundtrack::Lengths.at(13), 12855888);
    EXPECT_EQ(ShippedSoundtrack::Lengths.at(41), 8498872);
}

}  // namespace
}  // namespace sonorelle
