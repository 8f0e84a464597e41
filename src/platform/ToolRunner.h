#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

namespace sonorelle {

// Window styles of the tool command lines: accepted and ignored, every tool is a
// command-line program.
enum class WindowStyle { Hidden = 0, ShownNoActivate = 4, MinimizedNoActivate = 6 };

struct RunResult {
    static constexpr int Ended = 0;
    static constexpr int TimedOut = 258;
    static constexpr int Failed = -1;

    int waitResult = Failed;  // Ended, TimedOut or Failed (could not start, or cancelled)
    int exitCode = -1;        // the tool's exit code when it ended normally
    bool cancelled = false;
    QString error;            // why it could not start or did not end normally

    bool succeeded() const { return waitResult == Ended && exitCode == 0; }
};

// A tool started now and waited for later, so that other work (another tool) can go on
// meanwhile. Destroying it stops a tool that still runs.
class ToolProcess {
public:
    // Starts program with its arguments, never through a shell, so blanks in paths are safe.
    ToolProcess(const QString& program, const QStringList& arguments);
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    // Waits at most waitLimitMs (-1: no limit) while a local event loop runs, so windows
    // repaint; cancelRequested is polled and, when it turns true, the tool is terminated,
    // then killed. A tool that has ended already is not waited for.
    RunResult wait(int waitLimitMs = -1, const std::function<bool()>& cancelRequested = {});

private:
    QString program_;
    QProcess process_;
    QByteArray errors_;
};

// Runs program with its arguments (never through a shell, so blanks in paths are
// safe) and waits at most waitLimitMs (-1: no limit). While it waits a local event
// loop runs, so windows repaint; cancelRequested is polled and, when it turns true,
// the tool is terminated, then killed.
RunResult RunAndWait(const QString& program, const QStringList& arguments,
                     WindowStyle style = WindowStyle::MinimizedNoActivate, int waitLimitMs = -1,
                     const std::function<bool()>& cancelRequested = {});

// No 8.3 names here: the runner passes an argument vector, so a path is used as it is.
QString ShortPathOf(const QString& path);

}  // namespace sonorelle
