#pragma once

#include "songdata/TextLookup.h"

#include <QString>

namespace sonorelle {

class Feedback;

// Starts the game under Wine, detached, in its own folder and with the Wine prefix
// it was found in. What keeps it from starting is told through feedback.
class GameLauncher {
public:
    static const QString Executable;

    // False (and told) when Wine or the game's executable is missing or Wine does
    // not start.
    static bool run(const QString& gameDir, const QString& winePrefix, Feedback& feedback, const TextLookup& texts);
};

}  // namespace sonorelle
