#include "support/CliFixture.h"

#include "platform/GameLock.h"
#include "support/FileBytes.h"

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
    const QMap<QString, QString> patient{{QStringLiteral("SONORELLE_LOCK_WAIT_MS"), QStringLiteral("300000")}};
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int pair = 0; pair < 20; ++pair) {
        writers.push_back(startCli({QStringLiteral("down"), QString::number(pair % 5)}, patient));
        writers.push_back(startCli({QStringLiteral("up"), QString::number(pair % 5 + 1)}, patient));
    }
    for (const auto& writer : writers) {
        const Run run = finished(*writer);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    }

    const QStringList after = listed();
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(QSet<QString>(after.cbegin(), after.cend()), QSet<QString>(before.cbegin(), before.cend()));
    // The archive holds the same list, and each song's stream is there.
    EXPECT_EQ(game->archivedList(), game->looseList());
    const QStringList streams = game->listedStreams();
    EXPECT_EQ(QSet<QString>(streams.cbegin(), streams.cend()).size(), before.size());
    for (const QString& stream : streams)
        EXPECT_TRUE(QFileInfo::exists(game->streamPath(stream))) << stream.toStdString();
}

TEST_F(CliConcurrency, AWriterThatCannotGetTheGameSaysItIsBusyAndChangesNothing)
{
    const QString gameDir = QDir::cleanPath(game->audioDir() + QStringLiteral("/../.."));
    const GameLock held(gameDir, 0);
    ASSERT_TRUE(held.isHeld()) << held.error().toStdString();
    const QByteArray list = game->looseList();
    const QByteArray archive = ReadFile(game->audioDir() + QStringLiteral("audio.big"));

    const QMap<QString, QString> impatient{{QStringLiteral("SONORELLE_LOCK_WAIT_MS"), QStringLiteral("200")}};
    for (const QStringList& command : {QStringList{QStringLiteral("down"), QStringLiteral("0")},
                                       QStringList{QStringLiteral("tags"), QStringLiteral("1"), QStringLiteral("T"),
                                                   QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("2009"),
                                                   QStringLiteral("C")}}) {
        const Run run = cli(command, impatient);
        run.expectFailure(1, QStringLiteral("being changed by another Sonorelle window or sonorelle-cli"));
        EXPECT_EQ(game->looseList(), list);
        EXPECT_EQ(ReadFile(game->audioDir() + QStringLiteral("audio.big")), archive);
    }
    // Reading needs no lock.
    EXPECT_EQ(cli({QStringLiteral("list")}, impatient).exitCode, 0);
}

}  // namespace
}  // namespace sonorelle::test
