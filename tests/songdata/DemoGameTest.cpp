#include "support/GameFixture.h"

#include "platform/Registry.h"
#include "platform/WinePaths.h"
#include "songdata/SongListFile.h"
#include "stream/PcmSource.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>

namespace sonorelle {
namespace {

class DemoGameTest : public ::testing::Test {
protected:
    DemoGameTest() { EXPECT_TRUE(create(game)) << error.toStdString(); }

    bool create(DemoGame& target, const QString& toolDir = test::BinDir())
    {
        DemoGame::Options options;
        options.toolDir = toolDir;
        return target.create(options, &error);
    }

    QTemporaryDir root;
    DemoGame game{root.path()};
    QString error;
};

TEST_F(DemoGameTest, WinePrefixLeadsToTheGameFolderWhoseArchiveHoldsTheList)
{
    const Registry registry(root.filePath(QStringLiteral("store.reg")), game.winePrefix());
    const QString installDir = registry.ReadRegValue(
        Hive::LocalMachine, QStringLiteral("SOFTWARE\\Ostravel\\Kickvale 09"), QStringLiteral("Install Dir"));
    EXPECT_EQ(installDir, DemoGame::installDirForWindows());
    EXPECT_EQ(QFileInfo(TranslateWindowsPath(installDir, game.winePrefix())).canonicalFilePath(),
              QFileInfo(game.gameDir()).canonicalFilePath());
    EXPECT_TRUE(QFileInfo(game.gameDir() + QStringLiteral("kickvale09.exe")).isFile());
    EXPECT_FALSE(QFile::exists(game.audioDir() + QStringLiteral("songlist.bin")));
    const QList<SongListRecord> records = SongListFile::decode(test::GameFixture::archivedListOf(game.audioDir()));
    ASSERT_EQ(records.size(), DemoGame::defaultSongs().size());
    EXPECT_EQ(records.at(5).title, DemoGame::defaultSongs().at(5).title);
}

TEST_F(DemoGameTest, StreamsAreDistinctTunesOfTheirLength)
{
    QSet<QByteArray> contents;
    for (const DemoSong& song : DemoGame::defaultSongs()) {
        const QString path = game.audioDir() + song.streamName + QStringLiteral(".sng");
        const auto source = PcmSource::open(QFile::encodeName(path).toStdString());
        ASSERT_TRUE(source) << path.toStdString();
        EXPECT_EQ(std::tuple(source->sampleRate(), source->channels(), source->frames()),
                  std::tuple(44100, 2, static_cast<std::int64_t>(song.seconds * 44100)));
        contents.insert(test::ReadFile(path));
    }
    EXPECT_EQ(contents.size(), DemoGame::defaultSongs().size());
}

TEST_F(DemoGameTest, RefusesAnExistingGameOrAMissingArchiveTool)
{
    EXPECT_FALSE(create(game));
    EXPECT_TRUE(error.contains(QStringLiteral("already exists"))) << error.toStdString();
    DemoGame other(root.filePath(QStringLiteral("other")));
    EXPECT_FALSE(create(other, root.filePath(QStringLiteral("no-tools"))));
    EXPECT_TRUE(error.contains(QStringLiteral("addon2"))) << error.toStdString();
}

}  // namespace
}  // namespace sonorelle
