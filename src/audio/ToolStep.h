#pragma once

#include <QString>
#include <QStringList>

namespace sonorelle {

class Feedback;

// One run of an external tool whose product is one file. The output of an earlier
// run is deleted first, so a failed run can never pass off a stale file as its own.
struct ToolStep {
    QString name;     // what the step does, for the message when it fails
    QString program;
    QStringList arguments;
    QString output;

    struct Result {
        bool succeeded = false;
        bool cancelled = false;
        QString problem;  // names the step and why it failed
    };

    // No wait limit; Cancel of feedback stops the tool.
    Result run(Feedback& feedback) const;
};

}  // namespace sonorelle
