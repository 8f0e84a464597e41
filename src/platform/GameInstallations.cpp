#include "platform/GameInstallations.h"

#include "platform/ValveKeyValues.h"
#include "platform/WinePaths.h"
#include "platform/YamlScalars.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace sonorelle {

namespace {

// Configuration files read whole; anything larger is not one of them.
constexpr qint64 configLimit = 4 * 1024 * 1024;

const QString steamFlatpakData = QStringLiteral("/.var/app/com.valvesoftware.Steam/.local/share/Steam");
const QString bottlesFlatpakData = QStringLiteral("/.var/app/com.usebottles.bottles/data/bottles/bottles");

struct Homes {
    QString home;
    QString dataHome;
    QString configHome;
};

Homes homesOf(const QProcessEnvironment& environment)
{
    Homes homes;
    homes.home = environment.value(QStringLiteral("HOME"), QDir::homePath());
    homes.dataHome = environment.value(QStringLiteral("XDG_DATA_HOME"));
    if (homes.dataHome.isEmpty())
        homes.dataHome = homes.home + QStringLiteral("/.local/share");
    homes.configHome = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (homes.configHome.isEmpty())
        homes.configHome = homes.home + QStringLiteral("/.config");
    return homes;
}

QByteArray readConfig(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > configLimit)
        return {};
    return file.readAll();
}

QString canonical(const QString& path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? QDir::cleanPath(path) : resolved;
}

// Subfolders of folder in name order.
QStringList subfolders(const QString& folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

// Collects prefixes once each, by their real location.
class PrefixList {
public:
    void add(GameInstallation prefix)
    {
        prefix.prefixPath = withoutTrailingSlash(prefix.prefixPath);
        const QString real = canonical(prefix.prefixPath);
        if (!QFileInfo(prefix.prefixPath).isDir() || seen_.contains(real))
            return;
        seen_.insert(real);
        prefixes_.append(std::move(prefix));
    }

    QList<GameInstallation> take() { return std::move(prefixes_); }

private:
    QSet<QString> seen_;
    QList<GameInstallation> prefixes_;
};

// The libraries of one Steam installation: its own folder, then those its
// libraryfolders.vdf lists ("path" entries, or bare numbered ones in older files).
QStringList steamLibraries(const QString& root)
{
    QStringList libraries{root};
    for (const QString& file :
         {QStringLiteral("/steamapps/libraryfolders.vdf"), QStringLiteral("/config/libraryfolders.vdf")}) {
        for (const ValveKeyValue& entry : ReadValveKeyValues(readConfig(root + file))) {
            bool numbered = false;
            entry.keys.last().toInt(&numbered);
            const bool listed = (entry.keys.size() == 3 && entry.keys[2].compare(u"path", Qt::CaseInsensitive) == 0) ||
                                (entry.keys.size() == 2 && numbered);
            if (listed && !entry.value.isEmpty())
                libraries.append(entry.value);
        }
    }
    return libraries;
}

void addSteam(PrefixList& list, const QString& root, bool flatpak, QSet<QString>& seenLibraries)
{
    if (!QFileInfo(root).isDir())
        return;
    QStringList libraries;
    for (const QString& library : steamLibraries(root)) {
        const QString real = canonical(library);
        if (!seenLibraries.contains(real) && QFileInfo(library).isDir()) {
            seenLibraries.insert(real);
            libraries.append(withoutTrailingSlash(library));
        }
    }
    // A game's prefix may lie in another library than its manifest.
    const auto manifestOf = [&](const QString& appId) -> QString {
        for (const QString& library : std::as_const(libraries)) {
            const QString manifest = library + QStringLiteral("/steamapps/appmanifest_%1.acf").arg(appId);
            if (QFileInfo(manifest).isFile())
                return manifest;
        }
        return {};
    };
    for (const QString& library : std::as_const(libraries)) {
        const QString compatdata = library + QStringLiteral("/steamapps/compatdata");
        QStringList appIds = subfolders(compatdata);
        appIds.removeIf([](const QString& name) {
            bool number = false;
            name.toULongLong(&number);
            return !number;
        });
        std::sort(appIds.begin(), appIds.end(),
                  [](const QString& a, const QString& b) { return a.toULongLong() < b.toULongLong(); });
        for (const QString& appId : std::as_const(appIds)) {
            GameInstallation prefix;
            prefix.manager = PrefixManager::Steam;
            prefix.prefixPath = compatdata + u'/' + appId + QStringLiteral("/pfx");
            prefix.flatpak = flatpak;
            prefix.steamAppId = appId;
            prefix.prefixName = appId;
            const QString manifest = manifestOf(appId);
            prefix.steamGame = !manifest.isEmpty();
            const QStringList nameKeys{QStringLiteral("AppState"), QStringLiteral("name")};
            for (const ValveKeyValue& entry : ReadValveKeyValues(prefix.steamGame ? readConfig(manifest) : QByteArray())) {
                if (entry.keys == nameKeys && !entry.value.isEmpty())
                    prefix.prefixName = entry.value;
            }
            list.add(std::move(prefix));
        }
    }
}

// A Lutris game's file is "<slug>-<seconds>.yml"; newer files also name the slug.
void addLutris(PrefixList& list, const QString& gamesFolder, const QString& home)
{
    const QStringList files = QDir(gamesFolder).entryList({QStringLiteral("*.yml"), QStringLiteral("*.yaml")},
                                                           QDir::Files, QDir::Name);
    static const QRegularExpression stamp(QStringLiteral("-\\d+$"));
    for (const QString& file : files) {
        const QByteArray yaml = readConfig(gamesFolder + u'/' + file);
        QString prefixPath = FindYamlScalar(yaml, {QStringLiteral("game"), QStringLiteral("prefix")});
        if (prefixPath.isEmpty())
            continue;
        if (prefixPath == u"~" || prefixPath.startsWith(QStringLiteral("~/")))
            prefixPath = home + prefixPath.mid(1);
        prefixPath.replace(QStringLiteral("$HOME"), home);
        GameInstallation prefix;
        prefix.manager = PrefixManager::Lutris;
        prefix.prefixPath = prefixPath;
        prefix.lutrisSlug = FindYamlScalar(yaml, {QStringLiteral("game_slug")});
        if (prefix.lutrisSlug.isEmpty())
            prefix.lutrisSlug = QFileInfo(file).completeBaseName().remove(stamp);
        prefix.prefixName = FindYamlScalar(yaml, {QStringLiteral("name")});
        if (prefix.prefixName.isEmpty())
            prefix.prefixName = prefix.lutrisSlug;
        list.add(std::move(prefix));
    }
}

void addBottles(PrefixList& list, const QString& bottlesFolder, bool flatpak)
{
    for (const QString& folder : subfolders(bottlesFolder)) {
        GameInstallation prefix;
        prefix.manager = PrefixManager::Bottles;
        prefix.prefixPath = bottlesFolder + u'/' + folder;
        prefix.flatpak = flatpak;
        prefix.bottleName = FindYamlScalar(readConfig(prefix.prefixPath + QStringLiteral("/bottle.yml")),
                                           {QStringLiteral("Name")});
        if (prefix.bottleName.isEmpty())
            prefix.bottleName = folder;
        prefix.prefixName = prefix.bottleName;
        list.add(std::move(prefix));
    }
}

GameInstallation plainPrefix(PrefixManager manager, const QString& path)
{
    GameInstallation prefix;
    prefix.manager = manager;
    prefix.prefixPath = withoutTrailingSlash(path);
    prefix.prefixName = QFileInfo(prefix.prefixPath).fileName();
    return prefix;
}

}  // namespace

QString PrefixManagerName(PrefixManager manager)
{
    switch (manager) {
    case PrefixManager::Wine: return QStringLiteral("Wine");
    case PrefixManager::Steam: return QStringLiteral("Steam");
    case PrefixManager::Lutris: return QStringLiteral("Lutris");
    case PrefixManager::Bottles: return QStringLiteral("Bottles");
    case PrefixManager::PlayOnLinux: return QStringLiteral("PlayOnLinux");
    }
    return {};
}

GameInstallations::GameInstallations(const QString& key, const QString& valueName)
    : scanner_(key, valueName)
{
}

QList<GameInstallation> GameInstallations::prefixes(const QProcessEnvironment& environment)
{
    const QString explicitPrefix = environment.value(QStringLiteral("WINEPREFIX"));
    if (!explicitPrefix.isEmpty())
        return {plainPrefix(PrefixManager::Wine, explicitPrefix)};

    const Homes homes = homesOf(environment);
    PrefixList list;
    list.add(plainPrefix(PrefixManager::Wine, homes.home + QStringLiteral("/.wine")));
    QSet<QString> steamLibrariesSeen;
    addSteam(list, homes.home + QStringLiteral("/.steam/steam"), false, steamLibrariesSeen);
    addSteam(list, homes.dataHome + QStringLiteral("/Steam"), false, steamLibrariesSeen);
    addSteam(list, homes.home + steamFlatpakData, true, steamLibrariesSeen);
    addLutris(list, homes.configHome + QStringLiteral("/lutris/games"), homes.home);
    addLutris(list, homes.dataHome + QStringLiteral("/lutris/games"), homes.home);
    addBottles(list, homes.dataHome + QStringLiteral("/bottles/bottles"), false);
    addBottles(list, homes.home + bottlesFlatpakData, true);
    const QString playOnLinux = homes.home + QStringLiteral("/.PlayOnLinux/wineprefix");
    for (const QString& folder : subfolders(playOnLinux))
        list.add(plainPrefix(PrefixManager::PlayOnLinux, playOnLinux + u'/' + folder));
    return list.take();
}

GameInstallation GameInstallations::describePrefix(const QString& prefixPath, const QProcessEnvironment& environment)
{
    const QString wanted = canonical(prefixPath);
    const QList<GameInstallation> known = prefixes(environment);
    const auto found = std::find_if(known.cbegin(), known.cend(), [&](const GameInstallation& prefix) {
        return canonical(prefix.prefixPath) == wanted;
    });
    return found != known.cend() ? *found : plainPrefix(PrefixManager::Wine, prefixPath);
}

GameInstallations::Result GameInstallations::find(const QProcessEnvironment& environment) const
{
    Result result;
    for (GameInstallation& prefix : prefixes(environment)) {
        const QString systemReg = prefix.prefixPath + QStringLiteral("/system.reg");
        const auto skip = [&](const QString& reason) {
            result.skipped.append({prefix.manager, prefix.prefixPath, reason});
        };
        if (!QFileInfo::exists(systemReg)) {
            skip(QStringLiteral("it has no system.reg"));
            continue;
        }
        const MachineValueScanner::Answer answer = scanner_.scan(systemReg);
        switch (answer.status) {
        case MachineValueScanner::Answer::Unreadable:
            skip(QStringLiteral("its system.reg cannot be read"));
            continue;
        case MachineValueScanner::Answer::Damaged:
            skip(QStringLiteral("its system.reg is damaged: it does not begin as a Wine registry file"));
            continue;
        case MachineValueScanner::Answer::Missing:
            skip(QStringLiteral("the game is not installed in it"));
            continue;
        case MachineValueScanner::Answer::Found:
            break;
        }
        if (answer.text.trimmed().size() < 3) {
            skip(QStringLiteral("the game's registry entry names no folder"));
            continue;
        }
        const QString folder = TranslateWindowsPath(answer.text, prefix.prefixPath);
        if (!QFileInfo(folder).isDir()) {
            skip(QStringLiteral("the game's folder %1 (%2) does not exist").arg(folder, answer.text));
            continue;
        }
        prefix.gameFolder = folder.endsWith(u'/') ? folder : folder + u'/';
        result.installations.append(std::move(prefix));
    }
    return result;
}

}  // namespace sonorelle
