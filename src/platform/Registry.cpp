#include "platform/Registry.h"

#include "platform/FileReplace.h"
#include "platform/ParsedFileCache.h"
#include "platform/RegFile.h"
#include "platform/WineRegistryFile.h"

#include <QDateTime>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QStringList>

namespace sonorelle {

namespace {

const QString storeNote = QStringLiteral(
    "Sonorelle settings. Every key name begins with its hive: HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER.");

constexpr int storeLockWaitMs = 5000;

QString normalizedValueName(const QString& valueName)
{
    return valueName == u"@" ? QString() : valueName;
}

void setError(QString* error, const QString& text)
{
    if (error != nullptr)
        *error = text;
}

}  // namespace

Registry::Registry(QString storePath, QString winePrefix, PrefixOrigin origin)
    : storePath_(std::move(storePath))
    , winePrefix_(std::move(winePrefix))
    , winePrefixOrigin_(origin)
    , files_(std::make_shared<ParsedFileCache<RegFile>>([](const QByteArray& bytes) { return RegFile::parse(bytes); }))
    , wineFiles_(std::make_shared<ParsedFileCache<WineRegistryFile>>(
          ParsedFileCache<WineRegistryFile>::Reader([](QFile& file) { return WineRegistryFile::open(file); })))
{
}

Registry Registry::fromEnvironment()
{
    QString store = qEnvironmentVariable("SONORELLE_REGISTRY");
    if (store.isEmpty()) {
        store = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/sonorelle/registry.reg");
    }
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty())
        return Registry(store, QDir::homePath() + QStringLiteral("/.wine"), PrefixOrigin::Default);
    // Wine takes a relative prefix from the folder it starts in; the game's folder is
    // built from it and must not depend on where the program runs from.
    return Registry(store, QDir::cleanPath(QDir(prefix).absolutePath()));
}

QString Registry::hiveName(Hive hive)
{
    return hive == Hive::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE") : QStringLiteral("HKEY_CURRENT_USER");
}

bool Registry::splitFullKey(const QString& fullKey, Hive* hive, QString* key)
{
    const QString path = RegFile::normalizedKeyPath(fullKey);
    const qsizetype separator = path.indexOf(u'\\');
    const QString head = separator < 0 ? path : path.first(separator);
    const auto named = [&](const char* full, const char* abbreviation) {
        return head.compare(QLatin1String(full), Qt::CaseInsensitive) == 0 ||
               head.compare(QLatin1String(abbreviation), Qt::CaseInsensitive) == 0;
    };
    if (named("HKEY_LOCAL_MACHINE", "HKLM"))
        *hive = Hive::LocalMachine;
    else if (named("HKEY_CURRENT_USER", "HKCU"))
        *hive = Hive::CurrentUser;
    else
        return false;
    *key = separator < 0 ? QString() : path.mid(separator + 1);
    return true;
}

QStringList Registry::wineMachineKeyViews(const QString& key)
{
    const QString path = RegFile::normalizedKeyPath(key);
    // A 32-bit program in a 64-bit prefix sees SOFTWARE through Wow6432Node.
    const QString software = QStringLiteral("SOFTWARE");
    if (path.section(u'\\', 0, 0).compare(software, Qt::CaseInsensitive) == 0)
        return {QStringLiteral("Software\\Wow6432Node") + path.mid(software.size()), path};
    return {path};
}

std::optional<QString> Registry::storeValue(Hive hive, const QString& path, const QString& name) const
{
    const auto store = files_->get(storePath_);
    const RegFile::Value* value = store ? store->findValue(hiveName(hive) + u'\\' + path, name) : nullptr;
    return value != nullptr ? std::optional(value->string()) : std::nullopt;
}

QString Registry::ReadStoreValue(Hive hive, const QString& key, const QString& valueName) const
{
    return storeValue(hive, RegFile::normalizedKeyPath(key), normalizedValueName(valueName)).value_or(QString());
}

QString Registry::ReadRegValue(Hive hive, const QString& key, const QString& valueName) const
{
    const QString path = RegFile::normalizedKeyPath(key);
    const QString name = normalizedValueName(valueName);
    if (const std::optional<QString> stored = storeValue(hive, path, name))
        return *stored;

    const bool machine = hive == Hive::LocalMachine;
    const auto wine =
        wineFiles_->get(winePrefix_ + (machine ? QStringLiteral("/system.reg") : QStringLiteral("/user.reg")));
    if (!wine)
        return {};
    return wine->findString(machine ? wineMachineKeyViews(path) : QStringList{path}, name).value_or(QString());
}

bool Registry::WriteRegValue(Hive hive, const QString& key, const QString& valueName, const QString& text,
                             QString* error)
{
    const QString path = RegFile::normalizedKeyPath(key);
    const QString name = normalizedValueName(valueName);
    // Start-up stores the choices it applies at every start: a value already stored is
    // not written again, which spares the lock and the syncs of a normal start.
    if (const auto stored = files_->get(storePath_)) {
        const RegFile::Value* value = stored->findValue(hiveName(hive) + u'\\' + path, name);
        if (value != nullptr && value->type == RegFile::RegSz && value->text == text)
            return true;
    }
    const QString folder = QFileInfo(storePath_).absolutePath();
    if (!QDir().mkpath(folder)) {
        setError(error, QStringLiteral("cannot create the folder %1").arg(folder));
        return false;
    }
    // Two writers at once (the program and sonorelle-reg) must not lose each other's values.
    QLockFile lock(storePath_ + QStringLiteral(".lock"));
    if (!lock.tryLock(storeLockWaitMs)) {
        setError(error, QStringLiteral("cannot lock %1").arg(storePath_));
        return false;
    }

    QByteArray old;
    QFile current(storePath_);
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly)) {
            setError(error, QStringLiteral("cannot read %1: %2").arg(storePath_, current.errorString()));
            return false;
        }
        old = current.readAll();
        current.close();
    }
    RegFile store = RegFile::parse(old);
    if (!store.hasHeader() && !old.trimmed().isEmpty()) {
        setError(error, QStringLiteral("%1 is not a registry file; it was left untouched").arg(storePath_));
        return false;
    }
    store.setString(hiveName(hive) + u'\\' + path, name, text, QDateTime::currentSecsSinceEpoch());

    QString writeError;
    if (!ReplaceFileAtomically(storePath_, store.serialize(storeNote), &writeError)) {
        setError(error, QStringLiteral("cannot write %1: %2").arg(storePath_, writeError));
        return false;
    }
    return true;
}

}  // namespace sonorelle
