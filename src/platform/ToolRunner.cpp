#include "platform/ToolRunner.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <csignal>

#include <sys/prctl.h>

namespace sonorelle {

namespace {

constexpr int cancelPollMs = 50;
constexpr int terminateGraceMs = 2000;
constexpr qsizetype keptErrorBytes = 4096;

// A stopped tool must be gone before the caller looks at its output.
void stop(QProcess& process)
{
    process.terminate();
    if (!process.waitForFinished(terminateGraceMs)) {
        process.kill();
        process.waitForFinished(-1);
    }
}

QString lastLine(const QByteArray& text)
{
    const QList<QByteArray> lines = text.trimmed().split('\n');
    return QString::fromLocal8Bit(lines.last()).trimmed();
}

}  // namespace

ToolProcess::ToolProcess(const QString& program, const QStringList& arguments)
    : program_(program)
{
    process_.setProgram(program);
    process_.setArguments(arguments);
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setStandardOutputFile(QProcess::nullDevice());
    // A tool must not outlive a program killed while it waits: it would go on writing
    // a work file that the next run reads.
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });

    // The tools say why they failed in one line on stderr; keep the tail only.
    QObject::connect(&process_, &QProcess::readyReadStandardError, [this] {
        errors_ += process_.readAllStandardError();
        if (errors_.size() > keptErrorBytes)
            errors_ = errors_.right(keptErrorBytes);
    });
    process_.start();
}

ToolProcess::~ToolProcess()
{
    if (process_.state() != QProcess::NotRunning)
        stop(process_);
}

RunResult ToolProcess::wait(int waitLimitMs, const std::function<bool()>& cancelRequested)
{
    RunResult result;
    const QString toolName = QFileInfo(program_).fileName();
    // It may have started, or even ended, while other work let events run.
    if (process_.state() == QProcess::Starting)
        process_.waitForStarted(-1);
    if (process_.state() == QProcess::NotRunning && process_.error() == QProcess::FailedToStart) {
        result.error = QStringLiteral("%1 could not be started: %2").arg(program_, process_.errorString());
        return result;
    }

    // A local loop instead of a blocking wait: windows repaint and Cancel can be pressed.
    QEventLoop loop;
    bool timedOut = false;
    QObject::connect(&process_, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    QTimer cancelPoll;
    QObject::connect(&cancelPoll, &QTimer::timeout, &loop, [&] {
        if (cancelRequested()) {
            result.cancelled = true;
            loop.quit();
        }
    });
    if (waitLimitMs >= 0)
        limit.start(waitLimitMs);
    if (cancelRequested)
        cancelPoll.start(cancelPollMs);
    if (cancelRequested && cancelRequested())
        result.cancelled = true;
    else if (process_.state() != QProcess::NotRunning)
        loop.exec();

    if (timedOut || result.cancelled) {
        stop(process_);
        result.waitResult = timedOut ? RunResult::TimedOut : RunResult::Failed;
        result.error = timedOut ? QStringLiteral("%1 did not finish within %2 ms and was stopped").arg(toolName).arg(waitLimitMs)
                                : QStringLiteral("%1 was cancelled").arg(toolName);
        return result;
    }

    errors_ += process_.readAllStandardError();
    result.waitResult = RunResult::Ended;
    if (process_.exitStatus() == QProcess::CrashExit) {
        result.error = QStringLiteral("%1 crashed").arg(toolName);
    } else {
        result.exitCode = process_.exitCode();
        if (result.exitCode != 0) {
            const QString reason = lastLine(errors_);
            result.error = reason.isEmpty() ? QStringLiteral("%1 ended with exit code %2").arg(toolName).arg(result.exitCode)
                                            : reason;
        }
    }
    return result;
}

RunResult RunAndWait(const QString& program, const QStringList& arguments, WindowStyle /*style*/, int waitLimitMs,
                     const std::function<bool()>& cancelRequested)
{
    // Cancel pressed before the tool starts: it never runs.
    if (cancelRequested && cancelRequested()) {
        RunResult result;
        result.cancelled = true;
        result.error = QStringLiteral("%1 was cancelled").arg(QFileInfo(program).fileName());
        return result;
    }
    return ToolProcess(program, arguments).wait(waitLimitMs, cancelRequested);
}

QString ShortPathOf(const QString& path)
{
    return path;
}

}  // namespace sonorelle
