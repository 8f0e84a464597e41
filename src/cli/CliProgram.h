#pragma once

#include "cli/ConsoleFeedback.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace sonorelle {

struct CliCommand;

// sonorelle-cli [--verbose] COMMAND [ARGUMENTS]: checks the command line before
// anything is touched, runs the program's start-up and then the command.
class CliProgram {
public:
    // arguments: the words after the program's name. Returns the exit code.
    int run(QStringList arguments, const QString& executableDir);

    static QString usage();

private:
    int usageError(const QString& problem);
    // slotIndex: the song the command line names, for a command that names one.
    int runCommand(const CliCommand& command, const QStringList& arguments, int slotIndex, ConsoleFeedback feedback,
                   const QString& executableDir);

    QTextStream out_{stdout};
    QTextStream err_{stderr};
};

}  // namespace sonorelle
