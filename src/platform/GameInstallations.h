#pragma once

#include "platform/GameInstallation.h"
#include "platform/MachineValueScanner.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>

namespace sonorelle {

// Finds a game in every Wine prefix a person may have: $WINEPREFIX alone when it is
// set; else ~/.wine, Steam's Proton prefixes (steamapps/compatdata/APPID/pfx in every
// library of native and Flatpak Steam), the prefixes of Lutris games, Bottles (native
// and Flatpak) and PlayOnLinux. HOME and the XDG folders come from the environment.
// A prefix holds the game when its system.reg names the game's folder and that folder
// exists.
class GameInstallations {
public:
    // A prefix looked at and passed over, and why: for a verbose log.
    struct Skipped {
        PrefixManager manager = PrefixManager::Wine;
        QString prefixPath;
        QString reason;
    };

    struct Result {
        QList<GameInstallation> installations;  // in the order of prefixes()
        QList<Skipped> skipped;
    };

    // key and valueName: the HKEY_LOCAL_MACHINE value the game's installer writes
    // its folder into. Answers are kept per system.reg until it changes.
    GameInstallations(const QString& key, const QString& valueName);

    Result find(const QProcessEnvironment& environment) const;

    // The prefixes find() looks at, in a stable order (the list above, each manager's
    // own in name order), each once; no game folder filled in.
    static QList<GameInstallation> prefixes(const QProcessEnvironment& environment);

    // The prefix at prefixPath as prefixes() tells it; a plain Wine prefix when it is
    // none of them.
    static GameInstallation describePrefix(const QString& prefixPath, const QProcessEnvironment& environment);

private:
    MachineValueScanner scanner_;
};

}  // namespace sonorelle
