#include "support/ToolRun.h"

#include "support/TestEnvironment.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <random>

namespace sonorelle::test {

bool ToolRun::OneLineError() const
{
    return finished && !crashed && exitCode != 0 && err.count('\n') == 1 && err.endsWith('\n') && err.size() > 1;
}

ToolRun RunToEnd(const QString& program, const QStringList& arguments, int timeLimitMs)
{
    QProcess process;
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForStarted()) {
        ADD_FAILURE() << program.toStdString() << " did not start";
        return run;
    }
    run.finished = process.waitForFinished(timeLimitMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QString Tool(const char* name)
{
    return BinDir() + QLatin1Char('/') + QLatin1String(name);
}

QByteArray Bytes(std::int64_t size, std::uint32_t seed)
{
    std::mt19937 generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(generator());
    return bytes;
}

}  // namespace sonorelle::test
