#include "TimedCommands.h"

#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace sonorelle {

double TimedRun(const std::vector<TimedCommand>& commands, const QProcessEnvironment& environment)
{
    QElapsedTimer clock;
    clock.start();
    for (const TimedCommand& command : commands) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(command.program, command.arguments);
        if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            throw std::runtime_error((command.program + QStringLiteral(" failed: ")
                                      + QString::fromLocal8Bit(process.readAllStandardError()))
                                         .toStdString());
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void CompareAlternately(const char* what, const std::vector<TimedCommand>& ours,
                        const QProcessEnvironment& ourEnvironment, const std::vector<TimedCommand>& reference,
                        const QProcessEnvironment& referenceEnvironment, double goal, int runs)
{
    std::vector<double> ourWall;
    std::vector<double> referenceWall;
    for (int run = 0; run < runs; ++run) {
        ourWall.push_back(TimedRun(ours, ourEnvironment));
        referenceWall.push_back(TimedRun(reference, referenceEnvironment));
    }
    const double ratio = Median(ourWall) / Median(referenceWall);
    std::printf("%s\n  wall: ours %.3f s, reference %.3f s, ratio %.2f, goal <= %.2f: %s\n", what, Median(ourWall),
                Median(referenceWall), ratio, goal, ratio <= goal ? "met" : "MISSED");
}

}  // namespace sonorelle
