#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>

#include <optional>

namespace sonorelle {

// A Wine prefix's system.reg or user.reg, read only. These run to megabytes while a
// program asks for a handful of values of a few keys, so nothing is parsed up front:
// the first question about a key finds its lines by comparing key lines only, and its
// values are parsed by the same rules as RegFile.
class WineRegistryFile {
public:
    static WineRegistryFile parse(const QByteArray& bytes);

    WineRegistryFile(const WineRegistryFile& other);

    bool hasHeader() const { return hasHeader_; }
    // The REG_SZ text of the value (see RegFile::Value::string), nothing when the key
    // or the value is not there. Key path and value name compare without regard to case.
    std::optional<QString> findString(const QString& keyPath, const QString& valueName) const;

private:
    WineRegistryFile() = default;
    // The key's line and values, each stretch of the file that holds them, in file order.
    QByteArray sectionsOf(const QString& normalizedPath) const;

    QByteArray bytes_;
    bool hasHeader_ = false;
    mutable QMutex mutex_;
    mutable QHash<QString, QByteArray> keys_;  // case-folded key path -> its lines
};

}  // namespace sonorelle
