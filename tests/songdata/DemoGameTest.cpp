#include "GameFixture.h"

#include "platform/Registry.h"
#include "platform/WinePaths.h"
#include "songdata/SongListFile.h"
#include "stream/PcmSource.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

class DemoGameTest : public ::testing::Test {
protected:
    DemoGameTest()
        : game(root.path())
    {
        DemoGame::Options options;
        options.toolDir = test::BinDir();
        QString error;
        created = game.create(options, &error);
        EXPECT_TRUE(created) << error.toStdString();
    }

    QTemporaryDir root;
    DemoGame game;
    bool created = false;
};

TEST_F(DemoGameTest, WinePrefixLeadsToTheGameFolder)
{
    const Registry registry(root.filePath(QStringLiteral("store.reg")), game.winePrefix());
    const QString installDir =
        registry.ReadRegValue(Hive::LocalMachine, QStringLiteral("SOFTWARE\\Ostravel\\Kickvale 09"),
                              QStringLiteral("Install Dir"));
    EXPECT_EQ(installDir, DemoGame::installDirForWindows());
    EXPECT_EQ(QFileInfo(QFileInfo(TranslateWindowsPath(installDir, game.winePrefix())).canonicalFilePath()),
              QFileInfo(QFileInfo(game.gameDir()).canonicalFilePath()));
    EXPECT_EQ(QFileInfo(game.winePrefix() + QStringLiteral("/dosdevices/c:")).symLinkTarget(),
              game.winePrefix() + QStringLiteral("/drive_c"));
    const QFileInfo executable(game.gameDir() + QStringLiteral("kickvale09.exe"));
    EXPECT_TRUE(executable.isFile());
    EXPECT_EQ(executable.size(), 0);
}

TEST_F(DemoGameTest, ArchiveHoldsTheSongListOnly)
{
    EXPECT_FALSE(QFile::exists(game.audioDir() + QStringLiteral("songlist.bin")));
    const QList<SongListRecord> records = SongListFile::decode(test::GameFixture::archivedListOf(game.audioDir()));
    const QList<DemoSong> songs = DemoGame::defaultSongs();
    ASSERT_EQ(records.size(), 6);
    for (qsizetype i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records.at(i).streamName, QStringLiteral("s70%1").arg(i));
        EXPECT_EQ(records.at(i).artist, songs.at(i).artist);
        EXPECT_EQ(records.at(i).title, songs.at(i).title);
        EXPECT_EQ(records.at(i).album, songs.at(i).album);
    }
}

TEST_F(DemoGameTest, StreamsAreDistinctTunesOfTheirLength)
{
    QSet<QByteArray> contents;
    for (const DemoSong& song : DemoGame::defaultSongs()) {
        const QString path = game.audioDir() + song.streamName + QStringLiteral(".sng");
        const auto source = PcmSource::open(QFile::encodeName(path).toStdString());
        ASSERT_TRUE(source) << path.toStdString();
        EXPECT_EQ(source->sampleRate(), 44100);
        EXPECT_EQ(source->channels(), 2);
        EXPECT_EQ(source->frames(), static_cast<std::int64_t>(song.seconds * 44100));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        contents.insert(file.readAll());
    }
    EXPECT_EQ(contents.size(), 6);
}

TEST_F(DemoGameTest, RefusesToOverwriteAnExistingGame)
{
    DemoGame::Options options;
    options.toolDir = test::BinDir();
    QString error;
    EXPECT_FALSE(game.create(options, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("already exists")));
}

TEST(DemoGameToolTest, MissingArchiveToolIsAnError)
{
    QTemporaryDir root;
    DemoGame::Options options;
    options.toolDir = root.filePath(QStringLiteral("no-tools"));
    QString error;
    EXPECT_FALSE(DemoGame(root.path()).create(options, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("addon2")));
}

}  // namespace
}  // namespace sonorelle
