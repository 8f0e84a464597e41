#include "demogame/DemoGame.h"

#include "stream/PcmSource.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QFile>
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
