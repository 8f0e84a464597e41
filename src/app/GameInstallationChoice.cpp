#include "app/GameInstallationChoice.h"

#include "app/SettingsKeys.h"
#include "platform/Registry.h"
#include "platform/WinePaths.h"

#include <QFileInfo>

#include <algorithm>

namespace sonorelle {

namespace {

QString realPath(const QString& path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? path : resolved;
}

}  // namespace

GameInstallations::Result FindGameInstallations(const QProcessEnvironment& environment)
{
    // One finder for the process: it keeps what it read of each prefix.
    static const GameInstallations finder(SettingsKeys::GameKey, SettingsKeys::GameInstallDir);
    return finder.find(environment);
}

GameInstallationChoice ChooseGameInstallation(const Registry& registry, const QProcessEnvironment& environment)
{
    GameInstallationChoice choice;
    const QString stored =
        registry.ReadStoreValue(Hive::LocalMachine, SettingsKeys::GameKey, SettingsKeys::GameInstallDir);
    if (!stored.isEmpty()) {
        if (stored.size() < 3)
            return choice;
        GameInstallation game;
        game.prefixPath = registry.winePrefix();
        game.prefixName = QFileInfo(game.prefixPath).fileName();
        game.gameFolder = TranslateWindowsPath(stored, registry.winePrefix());
        if (!game.gameFolder.endsWith(u'/'))
            game.gameFolder += u'/';
        choice.chosen = game;
        choice.source = GameInstallationChoice::Source::StoreInstallDir;
        return choice;
    }

    const bool given = registry.winePrefixOrigin() == Registry::PrefixOrigin::Given;
    QProcessEnvironment lookIn = environment;
    if (given)
        lookIn.insert(QStringLiteral("WINEPREFIX"), registry.winePrefix());
    else
        lookIn.remove(QStringLiteral("WINEPREFIX"));
    choice.found = FindGameInstallations(lookIn);
    const QList<GameInstallation>& installations = choice.found.installations;
    if (installations.isEmpty())
        return choice;
    choice.chosen = installations.front();
    choice.source = given                       ? GameInstallationChoice::Source::GivenPrefix
                    : installations.size() == 1 ? GameInstallationChoice::Source::Only
                                                : GameInstallationChoice::Source::First;
    const QString wanted = registry.ReadStoreValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::GamePrefix);
    if (installations.size() > 1 && !wanted.isEmpty()) {
        const auto match = std::find_if(installations.cbegin(), installations.cend(), [&](const GameInstallation& game) {
            return realPath(game.prefixPath) == realPath(wanted);
        });
        if (match != installations.cend()) {
            choice.chosen = *match;
            choice.source = GameInstallationChoice::Source::StoredChoice;
        }
    }
    return choice;
}

bool IsSameGameInstallation(const GameInstallation& one, const GameInstallation& other)
{
    return realPath(one.prefixPath) == realPath(other.prefixPath) &&
           realPath(one.gameFolder) == realPath(other.gameFolder);
}

bool StoreGameInstallationChoice(Registry& registry, const GameInstallation& game, QString* error)
{
    return registry.WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::GamePrefix,
                                  game.prefixPath, error);
}

}  // namespace sonorelle
