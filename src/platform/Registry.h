#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace sonorelle {

class RegFile;
class WineRegistryFile;
template <typename Parsed>
class ParsedFileCache;

enum class Hive { LocalMachine, CurrentUser };

// Registry strings. Writes go to the program's own store (a file in Wine's .reg
// format holding every hive); reads of a value the store lacks fall back, read-only,
// to the Wine prefix (system.reg / user.reg). Wine's own files are never written.
class Registry {
public:
    // Given: the person or the caller named the prefix; Default: ~/.wine for want of
    // one, so the game may be looked for in other prefixes.
    enum class PrefixOrigin { Given, Default };

    Registry(QString storePath, QString winePrefix, PrefixOrigin origin = PrefixOrigin::Given);

    // $SONORELLE_REGISTRY (default $XDG_CONFIG_HOME/sonorelle/registry.reg) and
    // $WINEPREFIX (default ~/.wine).
    static Registry fromEnvironment();

    // The REG_SZ text of the value, "" when the key or value is missing or of
    // another type. valueName "" or "@" is the key's default value.
    QString ReadRegValue(Hive hive, const QString& key, const QString& valueName) const;

    // The value as the store alone holds it, never looked up in Wine's files.
    QString ReadStoreValue(Hive hive, const QString& key, const QString& valueName) const;

    // Stores text as REG_SZ in the store, creating the key; false (and why in
    // *error) when the store could not be written, the old store then left as it was.
    bool WriteRegValue(Hive hive, const QString& key, const QString& valueName, const QString& text,
                       QString* error = nullptr);

    // "HKEY_LOCAL_MACHINE" / "HKEY_CURRENT_USER": the first component of key names in the store.
    static QString hiveName(Hive hive);

    // Splits "HKEY_LOCAL_MACHINE\SOFTWARE\..." (or "HKLM\...", "HKCU\...") into hive
    // and key; false when the first component names no hive we keep.
    static bool splitFullKey(const QString& fullKey, Hive* hive, QString* key);

    // The views of a HKEY_LOCAL_MACHINE key that a 32-bit program has in a Wine
    // prefix, in the order they are looked up.
    static QStringList wineMachineKeyViews(const QString& key);

    const QString& storePath() const { return storePath_; }
    const QString& winePrefix() const { return winePrefix_; }
    PrefixOrigin winePrefixOrigin() const { return winePrefixOrigin_; }
    // Where reads the store cannot answer are looked up from now on.
    void setWinePrefix(const QString& winePrefix) { winePrefix_ = winePrefix; }

private:
    std::optional<QString> storeValue(Hive hive, const QString& normalizedPath, const QString& name) const;

    QString storePath_;
    QString winePrefix_;
    PrefixOrigin winePrefixOrigin_;
    // Shared by copies, keyed by each file's stamp: the store, and the prefix's files.
    std::shared_ptr<ParsedFileCache<RegFile>> files_;
    std::shared_ptr<ParsedFileCache<WineRegistryFile>> wineFiles_;
};

}  // namespace sonorelle
