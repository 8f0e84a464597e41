#include "platform/WineRegistryFile.h"

#include "platform/RegFile.h"
#include "platform/RegKeyLine.h"

#include <QMutexLocker>

namespace sonorelle {

namespace {

const QByteArray wineHeader = QByteArrayLiteral("WINE REGISTRY Version 2");

}  // namespace

WineRegistryFile WineRegistryFile::parse(const QByteArray& bytes)
{
    WineRegistryFile file;
    file.bytes_ = bytes;
    const qsizetype end = bytes.indexOf('\n');
    file.hasHeader_ = QByteArrayView(bytes).first(end < 0 ? bytes.size() : end).trimmed() == QByteArrayView(wineHeader);
    return file;
}

WineRegistryFile::WineRegistryFile(const WineRegistryFile& other)
    : bytes_(other.bytes_)
    , hasHeader_(other.hasHeader_)
{
    const QMutexLocker lock(&other.mutex_);
    keys_ = other.keys_;
}

QByteArray WineRegistryFile::sectionsOf(const QString& normalizedPath) const
{
    const QByteArray ascii = AsciiKeyTarget(normalizedPath);
    const QString folded = normalizedPath.toCaseFolded();
    const QByteArrayView all(bytes_);
    // Key lines are the ones that start with '[' after blanks; value lines never do
    // (a hex value goes on over lines of hex digits), so only '[' needs looking at.
    const auto startsKeyLine = [&all](qsizetype at) {
        qsizetype before = at - 1;
        while (before >= 0 && (all[before] == ' ' || all[before] == '\t'))
            --before;
        return before >= 0 && all[before] == '\n';
    };
    QByteArray sections;
    qsizetype keyStart = -1;  // where the wanted key's line starts while its values are read
    for (qsizetype at = all.indexOf('['); keyStart >= 0 || at >= 0; at = all.indexOf('[', at + 1)) {
        if (at >= 0 && !startsKeyLine(at))
            continue;
        if (keyStart >= 0) {
            sections.append(all.sliced(keyStart, (at < 0 ? all.size() : at) - keyStart)).append('\n');
            keyStart = -1;
        }
        if (at < 0)
            break;
        const qsizetype end = all.indexOf('\n', at);
        QByteArrayView text = all.sliced(at, (end < 0 ? all.size() : end) - at);
        if (text.endsWith('\r'))
            text.chop(1);
        const KeyMatch quick = ascii.isEmpty() ? KeyMatch::Unsure : QuickKeyMatch(text, ascii);
        bool wanted = quick == KeyMatch::Yes;
        if (quick == KeyMatch::Unsure) {
            const std::optional<QString> path = RegFile::keyPathOfLine(text);
            wanted = path && path->toCaseFolded() == folded;
        }
        if (wanted)
            keyStart = at;
    }
    return sections;
}

std::optional<QString> WineRegistryFile::findString(const QString& keyPath, const QString& valueName) const
{
    if (!hasHeader_)
        return std::nullopt;
    const QString path = RegFile::normalizedKeyPath(keyPath);
    QByteArray key;
    {
        const QMutexLocker lock(&mutex_);
        const auto known = keys_.constFind(path.toCaseFolded());
        if (known != keys_.cend())
            key = *known;
    }
    if (key.isNull()) {
        key = wineHeader + '\n' + sectionsOf(path);
        const QMutexLocker lock(&mutex_);
        keys_.insert(path.toCaseFolded(), key);
    }
    const RegFile parsed = RegFile::parse(key);
    const RegFile::Value* value = parsed.findValue(path, valueName);
    return value != nullptr ? std::optional(value->string()) : std::nullopt;
}

}  // namespace sonorelle
