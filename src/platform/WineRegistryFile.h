#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace sonorelle {

// A Wine prefix's system.reg or user.reg, read only. These run to megabytes while a
// program asks for a handful of values, so only the key lines are read up front; a
// key's values are parsed when it is asked for, by the same rules as RegFile.
class WineRegistryFile {
public:
    static WineRegistryFile parse(const QByteArray& bytes);

    bool hasHeader() const { return hasHeader_; }
    // The REG_SZ text of the value (see RegFile::Value::string), nothing when the key
    // or the value is not there. Key path and value name compare without regard to case.
    std::optional<QString> findString(const QString& keyPath, const QString& valueName) const;

private:
    QByteArray bytes_;
    bool hasHeader_ = false;
    // Case-folded key path -> each stretch of the file holding the key's line and values.
    QHash<QString, QList<QByteArrayView>> sections_;
};

}  // namespace sonorelle
