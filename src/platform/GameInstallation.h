#pragma once

#include <QString>

namespace sonorelle {

// What made and keeps a Wine prefix; it decides how a game in it is run.
enum class PrefixManager { Wine, Steam, Lutris, Bottles, PlayOnLinux };

// "Wine", "Steam", "Lutris", "Bottles", "PlayOnLinux".
QString PrefixManagerName(PrefixManager manager);

// A game installed in one Wine prefix.
struct GameInstallation {
    PrefixManager manager = PrefixManager::Wine;
    QString prefixName;  // the prefix's folder, the Steam game's name, the Lutris game's or the bottle's name
    QString prefixPath;  // the prefix (the folder of system.reg), no trailing '/'
    QString gameFolder;  // the game's folder as a Unix path, ending in '/'
    bool flatpak = false;  // Steam or Bottles installed as a Flatpak

    QString steamAppId;      // Steam: the number of the compatdata folder
    bool steamGame = false;  // Steam: a game of the Steam library, not one added by hand
    QString lutrisSlug;      // Lutris: the game's slug, what "lutris:rungame/" takes
    QString bottleName;      // Bottles: the name bottles-cli knows the bottle by

    bool operator==(const GameInstallation&) const = default;
};

}  // namespace sonorelle
