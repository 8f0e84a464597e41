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
    QByteArray sections;
    bool inKey = false;
    bool continued = false;  // the line goes on a hex value broken over lines
    for (qsizetype pos = all.indexOf('\n'); pos >= 0 && pos + 1 < all.size();) {
        const qsizetype start = pos + 1;
        pos = all.indexOf('\n', start);
        QByteArrayView line = all.sliced(start, (pos < 0 ? all.size() : pos) - start);
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArrayView text = WithoutLeadingBlanks(line);
        if (continued || !text.startsWith('[')) {
            continued = line.endsWith('\\') && (continued || text.indexOf("hex") > 0);
            if (inKey)
                sections.append(line).append('\n');
            continue;
        }
        const KeyMatch quick = ascii.isEmpty() ? KeyMatch::Unsure : QuickKeyMatch(text, ascii);
        inKey = quick == KeyMatch::Yes;
        if (quick == KeyMatch::Unsure) {
            const std::optional<QString> path = RegFile::keyPathOfLine(text);
            inKey = path && path->toCaseFolded() == folded;
        }
        if (inKey)
            sections.append(text).append('\n');
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
