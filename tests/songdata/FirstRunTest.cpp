#include "support/GameFixture.h"

#include "platform/CodePage.h"
#include "platform/Registry.h"
#include "songdata/FirstRun.h"
#include "songdata/ShippedSoundtrack.h"
#include "support/FileBytes.h"

#include <QFile>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using test::GameFixture;

QByteArray padded(const char* text)
{
    return QByteArray(text).leftJustified(30, ' ');
}

// Shipped streams of their exact lengths (sparse filler: only the length matters).
class FirstRunTest : public ::testing::Test {
protected:
    FirstRunTest()
        : fixture(songs())
        , registry(fixture.root.filePath(QStringLiteral("registry.reg")), fixture.root.filePath(QStringLiteral("wine")))
    {
        QFile::remove(fixture.streamPath(QStringLiteral("s702")));
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

    int firstRun() { return FirstRun(AudioFolder(fixture.audioDir()), fixture.StrTg, registry, CodePage()); }
    qint64 grownBy(int row) const
    {
        return QFile(fixture.streamPath(ShippedSoundtrack::streamName(row))).size() - ShippedSoundtrack::Lengths.at(row);
    }
    QString firstRunValue() const
    {
        return registry.ReadRegValue(Hive::LocalMachine, SettingsKey(), FirstRunValueName());
    }

    GameFixture fixture;
    Registry registry;
};

TEST_F(FirstRunTest, TagsOnlyUnchangedListedStreamsOnceAndRecordsThePass)
{
    EXPECT_EQ(firstRun(), 2);
    EXPECT_EQ(grownBy(0), TagRecord::Size);
    EXPECT_EQ(grownBy(1), 4410) << "a changed song keeps its content";
    EXPECT_FALSE(QFile::exists(fixture.streamPath(QStringLiteral("s702")))) << "a missing file is not created";
    EXPECT_EQ(grownBy(3), TagRecord::Size) << "no second record";
    EXPECT_EQ(grownBy(4), 0) << "no list record, nothing to write";
    EXPECT_EQ(grownBy(41), TagRecord::Size) << "the last shipped song";
    EXPECT_EQ(firstRunValue(), QStringLiteral("1"));

    EXPECT_EQ(test::ReadFile(fixture.streamPath(QStringLiteral("s700"))).right(TagRecord::Size),
              "TAG" + padded("MORNING ON THE QUAY") + padded("HARBOUR LANTERNS") + padded("Kickvale 09 Soundtrack") +
                  "2008" + padded("www.ostravel.example") + "7");

    EXPECT_EQ(firstRun(), 0) << "a second pass finds nothing left to tag";
    EXPECT_EQ(grownBy(0), TagRecord::Size);
}

TEST_F(FirstRunTest, MissingAudioFolderStillRecordsThePass)
{
    EXPECT_EQ(FirstRun(AudioFolder(fixture.root.filePath(QStringLiteral("nowhere"))), fixture.StrTg, registry, CodePage()),
              0);
    EXPECT_EQ(firstRunValue(), QStringLiteral("1"));
}

}  // namespace
}  // namespace sonorelle
