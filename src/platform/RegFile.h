#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace sonorelle {

// A registry file in Wine's text format ("WINE REGISTRY Version 2"): keys in
// square brackets, one value per line. Parsing never fails: lines it does not
// understand are skipped, and a buffer without the header holds no keys.
class RegFile {
public:
    static constexpr int RegSz = 1;
    static constexpr int UnknownType = -1;

    struct Value {
        QString name;     // "" for the key's default value
        int type = UnknownType;
        QString text;     // the string of a REG_SZ value
        QByteArray data;  // everything after '=' as it stood, to write other types back unchanged

        // What a REG_SZ read returns: the text up to its first NUL, "" for other types.
        QString string() const;
    };

    struct Key {
        QString path;  // components joined by single backslashes
        qint64 modified = 0;
        QList<Value> values;
    };

    static RegFile parse(QByteArrayView bytes);

    // The file in Wine's format; note, when not empty, goes into a ";;" comment under the header.
    QByteArray serialize(const QString& note = {}) const;

    bool hasHeader() const { return hasHeader_; }
    qsizetype keyCount() const { return keys_.size(); }

    // Key path and value name compare without regard to case; "" names the default value.
    const Value* findValue(const QString& keyPath, const QString& valueName) const;

    // Stores text as REG_SZ, creating the key (stamped with time) when needed.
    void setString(const QString& keyPath, const QString& valueName, const QString& text, qint64 time);

    // The normalized key path of a "[KEY] TIME" line (TIME into *time when given);
    // nothing when the line names no key.
    static std::optional<QString> keyPathOfLine(QByteArrayView line, qint64* time = nullptr);

    // "A\\\\B\\" and "A\\B" name the same key: empty components are dropped.
    static QString normalizedKeyPath(const QString& keyPath);

private:
    Key& keyFor(const QString& normalizedPath, qint64 time);
    void parseLines(QByteArrayView bytes);

    bool hasHeader_ = false;
    QList<Key> keys_;
    QHash<QString, qsizetype> keyIndex_;  // case-folded path -> position in keys_
};

}  // namespace sonorelle
