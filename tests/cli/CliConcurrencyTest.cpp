#include "support/CliFixture.h"

#include "platform/GameLock.h"
#include "support/FileBytes.h"
#include "support/Mp3Files.h"

#include <QDir>
#include <QSet>

#include <vector>

namespace sonorelle::test {
namespace {

using CliConcurrency = CliFixture;

TEST_F(CliConcurrency, TwentyPairsOfWritersAtOnceLeaveEverySongListedOnceWithItsStream)
{
    useSongs(GameFixture::numberedSongs(6));
    const QStringList before = listed();
    // Forty processes queue for one game on a busy machine: none may give up.
    const QMap<QString, QString> patient{{S("SONORELLE_LOCK_WAIT_MS"), S("300000")}};
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int pair = 0; pair < 20; ++pair) {
        writers.push_back(startCli({S("down"), QString::number(pair % 5)}, patient));
        writers.push_back(startCli({S("up"), QString::number(pair % 5 + 1)}, patient));
    }
    for (const auto& writer : writers) {
        const Run run = finished(*writer);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    }

    const QStringList after = listed();
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(QSet<QString>(after.cbegin(), after.cend()), QSet<QString>(before.cbegin(), before.cend()));
    // `list` took the list out of the archive: each song there has its stream.
    const QStringList streams = game->listedStreams();
    EXPECT_EQ(QSet<QString>(streams.cbegin(), streams.cend()).size(), before.size());
    for (const QString& stream : streams)
        EXPECT_TRUE(QFileInfo::exists(game->streamPath(stream))) << stream.toStdString();
}

TEST_F(CliConcurrency, AWriterThatCannotGetTheGameSaysItIsBusyAndChangesNothing)
{
    const QString gameDir = QDir::cleanPath(game->audioDir() + S("/../.."));
    const GameLock held(gameDir, 0);
    ASSERT_TRUE(held.isHeld()) << held.error().toStdString();
    const QByteArray list = game->looseList();
    const QByteArray archive = ReadFile(game->audioDir() + S("audio.big"));

    const QMap<QString, QString> impatient{{S("SONORELLE_LOCK_WAIT_MS"), S("200")}};
    for (const QStringList& command :
         {QStringList{S("down"), S("0")}, {S("tags"), S("1"), S("T"), S("A"), S("B"), S("2009"), S("C")}}) {
        cli(command, impatient).expectFailure(1, S("being changed by another Sonorelle window"));
        EXPECT_EQ(game->looseList(), list);
        EXPECT_EQ(ReadFile(game->audioDir() + S("audio.big")), archive);
    }
    // Reading needs no lock.
    EXPECT_EQ(cli({S("list")}, impatient).exitCode, 0);
}

}  // namespace
}  // namespace sonorelle::test
