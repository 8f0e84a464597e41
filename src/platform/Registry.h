#pragma once

#include <QString>

namespace sonorelle {

enum class Hive { LocalMachine, CurrentUser };

// Registry strings. Writes go to the program's own store (a file in Wine's .reg
// format holding every hive); reads of a key the store lacks fall back, read-only,
// to the Wine prefix (system.reg / user.reg). Wine's own files are never written.
class Registry {
public:
    Registry(QString storePath, QString winePrefix);

    // $SONORELLE_REGISTRY (default $XDG_CONFIG_HOME/sonorelle/registry.reg) and
    // $WINEPREFIX (default ~/.wine).
    static Registry fromEnvironment();

    // The REG_SZ text of the value, "" when the key or value is missing or of
    // another type. valueName "" or "@" is the key's default value.
    QString ReadRegValue(Hive hive, const QString& key, const QString& valueName) const;

    // Stores text as REG_SZ in the store, creating the key; false when the store
    // could not be written (the old store is then left as it was).
    bool WriteRegValue(Hive hive, const QString& key, const QString& valueName, const QString& text);

    const QString& storePath() const { return storePath_; }
    const QString& winePrefix() const { return winePrefix_; }

private:
    QString storePath_;
    QString winePrefix_;
};

}  // namespace sonorelle
