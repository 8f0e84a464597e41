#include "platform/ToolRunner.h"
#include "support/FileBytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <tuple>

namespace sonorelle {
namespace {

const QString shell = QStringLiteral("/bin/sh");

RunResult runShell(const QString& script, int waitLimitMs = -1, const std::function<bool()>& cancel = {},
                   const QStringList& extra = {})
{
    return RunAndWait(shell, QStringList{QStringLiteral("-c"), script, QStringLiteral("sh")} + extra,
                      WindowStyle::Hidden, waitLimitMs, cancel);
}

// The process id a script wrote before it was stopped; the process must be gone.
bool processGone(const QString& pidFile)
{
    const pid_t pid = test::ReadFile(pidFile).trimmed().toInt();
    return pid > 0 && ::kill(pid, 0) == -1 && errno == ESRCH;
}

TEST(ToolRunnerTest, EndedToolsKeepTheirExitCodeAndArguments)
{
    QTemporaryDir dir;
    const QString out = dir.path() + QStringLiteral("/folder with blanks/out file");
    const RunResult ok = runShell(QStringLiteral("mkdir -p \"${2%/*}\" && printf %s \"$1\" > \"$2\""), -1, {},
                                  {QStringLiteral("a b  \"c\""), out});
    EXPECT_EQ(std::tuple(ok.waitResult, ok.exitCode, ok.succeeded()), std::tuple(RunResult::Ended, 0, true));
    EXPECT_EQ(test::ReadFile(out), QByteArray("a b  \"c\""));

    const RunResult failed = runShell(QStringLiteral("echo 'addon3: cannot read in.mp3' >&2; exit 3"));
    EXPECT_EQ(std::tuple(failed.waitResult, failed.exitCode, failed.succeeded()), std::tuple(RunResult::Ended, 3, false));
    EXPECT_EQ(failed.error, QStringLiteral("addon3: cannot read in.mp3"));
}

// A limit or a cancel stops even a tool that ignores TERM.
TEST(ToolRunnerTest, ToolOutlastingItsLimitOrCancelledIsStopped)
{
    QTemporaryDir dir;
    const QString pidFile = dir.path() + QStringLiteral("/pid");
    const QString stubborn =
        QStringLiteral("trap '' TERM; echo $$ > \"$1\"; while :; do sleep 1; done");
    const RunResult timedOut = runShell(stubborn, 300, {}, {pidFile});
    EXPECT_EQ(timedOut.waitResult, RunResult::TimedOut);
    EXPECT_FALSE(timedOut.succeeded());
    EXPECT_TRUE(processGone(pidFile));

    QFile::remove(pidFile);
    int polls = 0;
    const RunResult cancelled =
        runShell(stubborn, -1, [&] { return QFile::exists(pidFile) && ++polls >= 3; }, {pidFile});
    EXPECT_EQ(cancelled.waitResult, RunResult::Failed);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(processGone(pidFile));
}

TEST(ToolRunnerTest, EventsRunWhileWaiting)
{
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    const RunResult result = runShell(QStringLiteral("sleep 0.5"));
    EXPECT_EQ(result.waitResult, RunResult::Ended);
    EXPECT_GT(ticks, 0);
}

}  // namespace
}  // namespace sonorelle
