#pragma once

#include "platform/GameInstallation.h"

#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace sonorelle {

// How to start a game from the prefix it was found in: through the manager that
// keeps the prefix when it is one (Steam for a Steam game, Lutris, Bottles), else
// with Wine and that WINEPREFIX.
struct GameRunCommand {
    QString program;  // full path; "" when the runner is missing
    QStringList arguments;
    QMap<QString, QString> environment;  // set on top of the inherited variables
    QString workingFolder;
    QString missing;  // the program that was not found on PATH ("wine", "steam", "lutris", "bottles-cli", "flatpak")

    // executable: the game's program file in its folder, found without regard to
    // case; PATH comes from environment.
    static GameRunCommand forGame(const GameInstallation& game, const QString& executable,
                                  const QProcessEnvironment& environment);
};

}  // namespace sonorelle
