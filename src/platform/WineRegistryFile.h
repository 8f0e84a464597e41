#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace sonorelle {

// A Wine prefix's system.reg or user.reg, read only. These run to megabytes while a
// program asks for a handful of values of a few keys, so nothing is kept in memory:
// the first question about a key reads the file again a block at a time, compares key
// lines only, and keeps that key's lines, whose values are parsed by the same rules as
// RegFile. (Holding a whole 5 MB file cost more than all the scans of a start.)
class WineRegistryFile {
public:
    // Reads the header line of file, which must be open.
    static WineRegistryFile open(QFile& file);

    WineRegistryFile(const WineRegistryFile& other);

    bool hasHeader() const { return hasHeader_; }
    // The REG_SZ text of the value (see RegFile::Value::string) in the first of the keys
    // that holds it, nothing when none does. Key paths and value name compare without
    // regard to case.
    std::optional<QString> findString(const QStringList& keyPaths, const QString& valueName) const;

private:
    WineRegistryFile() = default;
    // The lines of each key, in one read of the file.
    QList<QByteArray> readKeys(const QStringList& normalizedPaths) const;

    QString path_;
    bool hasHeader_ = false;
    mutable QMutex mutex_;
    mutable QHash<QString, QByteArray> keys_;  // case-folded key path -> its lines
};

}  // namespace sonorelle
