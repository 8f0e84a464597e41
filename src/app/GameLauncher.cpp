#include "app/GameLauncher.h"

#include "app/Feedback.h"
#include "platform/GameInstallations.h"
#include "platform/GameRunCommand.h"
#include "platform/WinePaths.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace sonorelle {

const QString GameLauncher::Executable = QStringLiteral("kickvale09.exe");

namespace {

void Tell(Feedback& feedback, const TextLookup& texts, const QString& text)
{
    feedback.message(text, TextOr(texts, QStringLiteral("msgcap1"), QStringLiteral("Sonorelle")),
                     MessageIcon::Critical);
}

}  // namespace

bool GameLauncher::run(const GameInstallation& game, Feedback& feedback, const TextLookup& texts)
{
    const QString onDisk = EntryOnDisk(game.gameFolder, Executable);
    if (onDisk.isEmpty() || !QFileInfo(JoinPath(game.gameFolder, onDisk)).isFile()) {
        Tell(feedback, texts,
             TextOr(texts, QStringLiteral("msgGameMissing"),
                    QStringLiteral("The game can not be started: its program file is missing:"))
                 + u'\n' + JoinPath(game.gameFolder, Executable));
        return false;
    }
    const QProcessEnvironment inherited = QProcessEnvironment::systemEnvironment();
    const GameRunCommand command = GameRunCommand::forGame(game, Executable, inherited);
    if (command.missing == u"wine") {
        Tell(feedback, texts,
             TextOr(texts, QStringLiteral("msgWineMissing"),
                    QStringLiteral("The game needs Wine to run, and Wine was not found. "
                                   "Install the package \"wine\" and try again.")));
        return false;
    }
    if (!command.missing.isEmpty()) {
        Tell(feedback, texts,
             TextOr(texts, QStringLiteral("msgRunnerMissing"),
                    QStringLiteral("The game is installed through another program, and the program that starts "
                                   "it was not found:"))
                 + u'\n' + command.missing + QStringLiteral(" (") + PrefixManagerName(game.manager) + u')');
        return false;
    }
    QProcess process;
    process.setProgram(command.program);
    process.setArguments(command.arguments);
    process.setWorkingDirectory(command.workingFolder);
    QProcessEnvironment environment = inherited;
    for (auto it = command.environment.cbegin(); it != command.environment.cend(); ++it)
        environment.insert(it.key(), it.value());
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    Tell(feedback, texts,
         TextOr(texts, QStringLiteral("msgGameNotStarted"), QStringLiteral("The game could not be started:"))
             + u'\n' + command.program + QStringLiteral(": ") + process.errorString());
    return false;
}

bool GameLauncher::run(const QString& gameDir, const QString& winePrefix, Feedback& feedback, const TextLookup& texts)
{
    GameInstallation game = GameInstallations::describePrefix(winePrefix, QProcessEnvironment::systemEnvironment());
    game.gameFolder = gameDir;
    return run(game, feedback, texts);
}

}  // namespace sonorelle
