#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <vector>

namespace sonorelle {

struct TimedCommand {
    QString program;
    QStringList arguments;
};

// Runs the commands one after another and returns their wall time in seconds; throws
// std::runtime_error with the tool's error output when one fails.
double TimedRun(const std::vector<TimedCommand>& commands, const QProcessEnvironment& environment);

double Median(std::vector<double> values);

// Runs ours and reference alternately, so both see the same load, and prints what,
// their median wall times and their ratio against goal.
void CompareAlternately(const char* what, const std::vector<TimedCommand>& ours,
                        const QProcessEnvironment& ourEnvironment, const std::vector<TimedCommand>& reference,
                        const QProcessEnvironment& referenceEnvironment, double goal, int runs);

}  // namespace sonorelle
