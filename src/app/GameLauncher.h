#pragma once

#include "platform/GameInstallation.h"
#include "songdata/TextLookup.h"

#include <QString>

namespace sonorelle {

class Feedback;

// Starts the game, detached, from the prefix it was found in: through Steam, Lutris
// or Bottles when one of them keeps the prefix, else under Wine in the game's folder
// with that WINEPREFIX. What keeps it from starting is told through feedback.
class GameLauncher {
public:
    static const QString Executable;

    // False (and told) when the game's executable or the program that runs it is
    // missing, or that program does not start.
    static bool run(const GameInstallation& game, Feedback& feedback, const TextLookup& texts);

    // The game in gameDir, run as the manager of winePrefix would run it.
    static bool run(const QString& gameDir, const QString& winePrefix, Feedback& feedback, const TextLookup& texts);
};

}  // namespace sonorelle
