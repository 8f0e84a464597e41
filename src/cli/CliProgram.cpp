#include "cli/CliProgram.h"

#include "cli/CliCommands.h"
#include "cli/CliSession.h"
#include "cli/ConsoleFeedback.h"
#include "platform/Registry.h"

#include <algorithm>
#include <cstdio>

namespace sonorelle {

namespace {

const QString ProgramName = QStringLiteral("sonorelle-cli");

const CliCommand* findCommand(const QString& name)
{
    const QList<CliCommand>& commands = CliCommands();
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&name](const CliCommand& command) { return command.name == name; });
    return found == commands.end() ? nullptr : &*found;
}

}  // namespace

QString CliProgram::usage()
{
    QString text = QStringLiteral("usage: %1 [--verbose] [--yes] COMMAND [ARGUMENTS]\n").arg(ProgramName);
    for (const CliCommand& command : CliCommands()) {
        const QString call = (command.name + u' ' + command.parameters).trimmed();
        text += QStringLiteral("  %1  %2\n").arg(call, -40).arg(command.summary);
    }
    text += QStringLiteral("N is a song's index as `list` prints it, from 0. Errors go to stderr with exit code 1,\n"
                           "a wrong command line with exit code 2. --verbose also shows status lines; --yes answers yes to\n"
                           "every question an operation asks (without it the answer is no).\n");
    return text;
}

int CliProgram::usageError(const QString& problem)
{
    err_ << ProgramName << ": " << problem << '\n' << usage();
    err_.flush();
    return CliExit::Usage;
}

int CliProgram::run(QStringList arguments, const QString& executableDir)
{
    bool verbose = false;
    bool assumeYes = false;
    // Options come before the command: after it every word is an argument, even "-1".
    while (!arguments.isEmpty() && arguments.first().startsWith(u'-')) {
        const QString option = arguments.takeFirst();
        if (option == u"--help" || option == u"-h") {
            out_ << usage();
            return CliExit::Success;
        }
        if (option == u"--verbose")
            verbose = true;
        else if (option == u"--yes")
            assumeYes = true;
        else
            return usageError(QStringLiteral("unknown option %1").arg(option));
    }
    if (arguments.isEmpty())
        return usageError(QStringLiteral("no command given"));
    const CliCommand* command = findCommand(arguments.first());
    if (!command)
        return usageError(QStringLiteral("unknown command %1").arg(arguments.first()));
    arguments.removeFirst();
    const QStringList parameters = command->parameterNames();
    const bool countFits = command->repeatsLast() ? arguments.size() >= parameters.size()
                                                  : arguments.size() == parameters.size();
    if (!countFits) {
        return usageError(QStringLiteral("%1 takes %2%3 argument(s): %4")
                              .arg(command->name)
                              .arg(command->repeatsLast() ? QStringLiteral("at least ") : QString())
                              .arg(parameters.size())
                              .arg(command->parameters.isEmpty() ? QStringLiteral("none") : command->parameters));
    }
    int slotIndex = -1;
    if (command->namesSlot()) {
        bool isNumber = false;
        slotIndex = arguments.first().toInt(&isNumber);
        if (!isNumber)
            return usageError(QStringLiteral("%1 is not a song's index (a whole number as `list` prints it)")
                                  .arg(arguments.first()));
    }
    return runCommand(*command, arguments, slotIndex, ConsoleFeedback(verbose, assumeYes), executableDir);
}

int CliProgram::runCommand(const CliCommand& command, const QStringList& arguments, int slotIndex,
                           ConsoleFeedback feedback, const QString& executableDir)
{
    CliSession cli(Registry::fromEnvironment(), feedback, executableDir);
    Session& session = cli.session();
    if (!command.needsGame)
        session.startWithoutGame();
    else if (!cli.start())
        return CliExit::Failure;
    int slot = cli.selection();
    if (command.namesSlot()) {
        const qsizetype songs = session.document().lines().size();
        if (slotIndex < 0 || slotIndex >= songs) {
            err_ << ProgramName << ": " << slotIndex << " is not a song of the list: "
                 << (songs == 0 ? QStringLiteral("it holds no songs")
                                : QStringLiteral("it holds %1, numbered 0 to %2").arg(songs).arg(songs - 1))
                 << Qt::endl;
            return CliExit::Failure;
        }
        slot = slotIndex;
    }
    return command.run(CommandCall{session, slot, arguments, out_});
}

}  // namespace sonorelle
