#pragma once

#include "platform/GameInstallations.h"

#include <QProcessEnvironment>
#include <QString>

#include <optional>

namespace sonorelle {

class Registry;

// Which installation of the game the program works on. The store's own "Install Dir"
// wins (the folder as it stands, in the Registry's prefix); then the Registry's prefix
// when it was given ($WINEPREFIX); else the installations are looked for: one is taken
// as it is, of several the one whose prefix the store's "GamePrefix" names, else the
// first.
struct GameInstallationChoice {
    enum class Source { None, StoreInstallDir, GivenPrefix, Only, StoredChoice, First };

    std::optional<GameInstallation> chosen;
    Source source = Source::None;
    // Every installation found and every prefix passed over; empty when the store's
    // "Install Dir" decided.
    GameInstallations::Result found;
};

// Every installation of the game and every prefix passed over, whatever the store says:
// for a list to choose from.
GameInstallations::Result FindGameInstallations(const QProcessEnvironment& environment);

GameInstallationChoice ChooseGameInstallation(const Registry& registry, const QProcessEnvironment& environment);

// The same prefix and game folder, however the paths are spelt.
bool IsSameGameInstallation(const GameInstallation& one, const GameInstallation& other);

// Stores game's prefix as the choice among several; false (and why in *error) when
// the store could not be written.
bool StoreGameInstallationChoice(Registry& registry, const GameInstallation& game, QString* error = nullptr);

}  // namespace sonorelle
