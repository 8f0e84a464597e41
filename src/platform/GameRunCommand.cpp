#include "platform/GameRunCommand.h"

#include "platform/WinePaths.h"

#include <QStandardPaths>

namespace sonorelle {

GameRunCommand GameRunCommand::forGame(const GameInstallation& game, const QString& executable,
                                       const QProcessEnvironment& environment)
{
    const QStringList path = environment.value(QStringLiteral("PATH")).split(u':', Qt::SkipEmptyParts);
    const QString onDisk = EntryOnDisk(game.gameFolder, executable);
    const QString exe = JoinPath(game.gameFolder, onDisk.isEmpty() ? executable : onDisk);

    GameRunCommand command;
    command.workingFolder = game.gameFolder;
    QString runner;
    if (game.manager == PrefixManager::Steam && game.steamGame) {
        const QString uri = QStringLiteral("steam://rungameid/") + game.steamAppId;
        runner = game.flatpak ? QStringLiteral("flatpak") : QStringLiteral("steam");
        command.arguments = game.flatpak
                                ? QStringList{QStringLiteral("run"), QStringLiteral("com.valvesoftware.Steam"), uri}
                                : QStringList{uri};
    } else if (game.manager == PrefixManager::Lutris) {
        runner = QStringLiteral("lutris");
        command.arguments = {QStringLiteral("lutris:rungame/") + game.lutrisSlug};
    } else if (game.manager == PrefixManager::Bottles) {
        const QStringList run{QStringLiteral("run"), QStringLiteral("-b"), game.bottleName, QStringLiteral("-e"), exe};
        runner = game.flatpak ? QStringLiteral("flatpak") : QStringLiteral("bottles-cli");
        command.arguments = game.flatpak ? QStringList{QStringLiteral("run"), QStringLiteral("--command=bottles-cli"),
                                                       QStringLiteral("com.usebottles.bottles")} + run
                                         : run;
    } else {
        runner = QStringLiteral("wine");
        command.arguments = {exe};
        command.environment.insert(QStringLiteral("WINEPREFIX"), game.prefixPath);
    }
    command.program = path.isEmpty() ? QStandardPaths::findExecutable(runner)
                                     : QStandardPaths::findExecutable(runner, path);
    if (command.program.isEmpty())
        command.missing = runner;
    return command;
}

}  // namespace sonorelle
