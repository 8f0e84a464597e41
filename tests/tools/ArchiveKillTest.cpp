#include "tools/ArchiveToolHarness.h"

#include "support/TestEnvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

namespace sonorelle::test {
namespace {

constexpr int kIterations = 200;
constexpr qint64 kListSize = 6 << 20;
constexpr qint64 kStreamSize = 2 << 20;

// Starts `-ar` and sends it SIGKILL after `delay`; returns whether the signal
// ended it (rather than finding it already done).
bool RunAndKill(const QStringList& arguments, std::chrono::microseconds delay)
{
    QProcess process;
    process.start(BinDir() + QStringLiteral("/addon2"), arguments);
    EXPECT_TRUE(process.waitForStarted());
    std::this_thread::sleep_for(delay);
    process.kill();
    EXPECT_TRUE(process.waitForFinished());
    return process.exitStatus() == QProcess::CrashExit;
}

TEST(ArchiveKillTest, AnArKilledAtAnyMomentLeavesTheOldOrTheNewMember)
{
    ArchiveToolHarness tool;
    QDir(tool.Path(QString())).mkpath(QStringLiteral("audio"));
    const QString archive = tool.Path(QStringLiteral("audio/audio.big"));
    const QString list = tool.Path(QStringLiteral("audio/songlist.bin"));
    const QString stream = tool.Path(QStringLiteral("s701.sng"));
    const QByteArray streamBytes = ArchiveToolHarness::Bytes(kStreamSize, 1);
    QByteArray current = ArchiveToolHarness::Bytes(kListSize, 2);
    ArchiveToolHarness::Write(stream, streamBytes);
    ArchiveToolHarness::Write(list, current);
    ASSERT_EQ(ArchiveToolHarness::Run({QStringLiteral("-c"), archive, stream, list}).exitCode, 0);
    const QStringList putBack{QStringLiteral("-ar"), archive, tool.Path(QStringLiteral("audio/songlist.*"))};

    // Spread the kills over the whole length of an uninterrupted run, the
    // start-up and an occasional compaction included.
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(ArchiveToolHarness::Run(putBack).exitCode, 0);
    const auto runLength = std::chrono::microseconds(clock.nsecsElapsed() / 1000 / 3);

    std::mt19937 generator(20261206);
    std::uniform_int_distribution<std::int64_t> delays(0, runLength.count() * 3 / 2);
    int killedMidway = 0;
    for (int iteration = 0; iteration < kIterations; ++iteration) {
        const QByteArray next = ArchiveToolHarness::Bytes(kListSize, 1000 + static_cast<std::uint32_t>(iteration));
        ArchiveToolHarness::Write(list, next);
        killedMidway += RunAndKill(putBack, std::chrono::microseconds(delays(generator))) ? 1 : 0;

        const auto listing = ArchiveToolHarness::Run({QStringLiteral("-l"), archive});
        ASSERT_EQ(listing.exitCode, 0) << "iteration " << iteration << ": " << listing.err.toStdString();
        ASSERT_EQ(listing.out, "s701.sng\t" + QByteArray::number(kStreamSize) + "\nsonglist.bin\t" + QByteArray::number(kListSize) + '\n');
        const auto extracted = tool.Extract(archive, QStringLiteral("songlist.bin"));
        ASSERT_TRUE(extracted.has_value()) << "iteration " << iteration;
        ASSERT_TRUE(*extracted == current || *extracted == next) << "iteration " << iteration;
        current = *extracted;
        if (iteration % 25 == 0) {
            ASSERT_EQ(tool.Extract(archive, QStringLiteral("s701.sng")), streamBytes) << "iteration " << iteration;
        }
    }
    EXPECT_GT(killedMidway, kIterations / 4);

    // A later run tidies what the killed ones left and still works.
    ArchiveToolHarness::Write(list, ArchiveToolHarness::Bytes(kListSize, 7));
    ASSERT_EQ(ArchiveToolHarness::Run(putBack).exitCode, 0);
    EXPECT_EQ(tool.Extract(archive, QStringLiteral("songlist.bin")), ArchiveToolHarness::Bytes(kListSize, 7));
    EXPECT_EQ(QDir(tool.Path(QStringLiteral("audio"))).entryList(QDir::Files | QDir::Hidden),
        (QStringList{QStringLiteral("audio.big"), QStringLiteral("songlist.bin")}));
}

}  // namespace
}  // namespace sonorelle::test
