#include "tools/ArchiveToolHarness.h"

#include <QElapsedTimer>
#include <QProcess>

#include <chrono>
#include <random>
#include <thread>

namespace sonorelle::test {
namespace {

constexpr int kIterations = 200;
constexpr qint64 kListSize = 6 << 20;
constexpr qint64 kStreamSize = 2 << 20;

// Starts addon2 and sends it SIGKILL after `delay`; true when the signal ended it.
bool RunAndKill(const QStringList& arguments, std::chrono::microseconds delay)
{
    QProcess process;
    process.start(Tool("addon2"), arguments);
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
    const QByteArray stream = Bytes(kStreamSize, 1);
    QByteArray current = Bytes(kListSize, 2);
    const QString archive = tool.Create(QStringLiteral("audio/audio.big"),
        {{QStringLiteral("s701.sng"), stream}, {QStringLiteral("songlist.bin"), current}});
    const QString list = tool.Path(QStringLiteral("audio/songlist.bin"));
    const QStringList putBack{QStringLiteral("-ar"), archive, tool.Path(QStringLiteral("audio/songlist.*"))};
    const QByteArray listing = "s701.sng\t" + QByteArray::number(kStreamSize) + "\nsonglist.bin\t" + QByteArray::number(kListSize) + '\n';

    // Spread the kills over the whole length of an uninterrupted run, start-up and an
    // occasional compaction included.
    WriteFile(list, current);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(ArchiveToolHarness::Run(putBack).Ok());
    std::uniform_int_distribution<std::int64_t> delays(0, clock.nsecsElapsed() / 1000 / 2);
    std::mt19937 generator(20261206);

    int killedMidway = 0;
    for (int iteration = 0; iteration < kIterations; ++iteration) {
        SCOPED_TRACE(iteration);
        const QByteArray next = Bytes(kListSize, 1000 + static_cast<std::uint32_t>(iteration));
        WriteFile(list, next);
        killedMidway += RunAndKill(putBack, std::chrono::microseconds(delays(generator))) ? 1 : 0;

        ASSERT_EQ(ArchiveToolHarness::Listing(archive), listing);
        const auto extracted = tool.Extract(archive, QStringLiteral("songlist.bin"));
        ASSERT_TRUE(extracted == current || extracted == next);
        current = *extracted;
        if (iteration % 25 == 0) {
            ASSERT_EQ(tool.Extract(archive, QStringLiteral("s701.sng")), stream);
        }
    }
    EXPECT_GT(killedMidway, kIterations / 4);

    // A later run tidies what the killed ones left and still works.
    tool.Put(archive, QStringLiteral("audio/songlist.bin"), Bytes(kListSize, 7));
    EXPECT_EQ(tool.Extract(archive, QStringLiteral("songlist.bin")), Bytes(kListSize, 7));
    EXPECT_EQ(QDir(tool.Path(QStringLiteral("audio"))).entryList(QDir::Files | QDir::Hidden),
        (QStringList{QStringLiteral("audio.big"), QStringLiteral("songlist.bin")}));
}

}  // namespace
}  // namespace sonorelle::test
