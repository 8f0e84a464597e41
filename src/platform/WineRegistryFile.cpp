#include "platform/WineRegistryFile.h"

#include "platform/RegFile.h"

namespace sonorelle {

namespace {

const QByteArray wineHeader = QByteArrayLiteral("WINE REGISTRY Version 2");

QByteArrayView withoutLeadingBlanks(QByteArrayView line)
{
    while (!line.isEmpty() && (line.front() == ' ' || line.front() == '\t'))
        line = line.sliced(1);
    return line;
}

}  // namespace

WineRegistryFile WineRegistryFile::parse(const QByteArray& bytes)
{
    WineRegistryFile file;
    file.bytes_ = bytes;
    const QByteArrayView all(file.bytes_);
    qsizetype pos = all.indexOf('\n');
    const QByteArrayView header = all.first(pos < 0 ? all.size() : pos);
    file.hasHeader_ = header.trimmed() == QByteArrayView(wineHeader);
    if (!file.hasHeader_)
        return file;

    QList<QByteArrayView>* open = nullptr;
    qsizetype openedAt = 0;
    const auto close = [&](qsizetype end) {
        if (open != nullptr)
            open->append(all.sliced(openedAt, end - openedAt));
        open = nullptr;
    };
    bool continued = false;  // the line goes on a hex value broken over lines
    while (pos >= 0 && pos + 1 < all.size()) {
        const qsizetype start = pos + 1;
        pos = all.indexOf('\n', start);
        QByteArrayView line = all.sliced(start, (pos < 0 ? all.size() : pos) - start);
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArrayView text = withoutLeadingBlanks(line);
        if (continued || !text.startsWith('[')) {
            continued = line.endsWith('\\') && (continued || text.indexOf("hex") > 0);
            continue;
        }
        close(start);
        if (const std::optional<QString> path = RegFile::keyPathOfLine(text)) {
            open = &file.sections_[path->toCaseFolded()];
            openedAt = start;
        }
    }
    close(all.size());
    return file;
}

std::optional<QString> WineRegistryFile::findString(const QString& keyPath, const QString& valueName) const
{
    const auto sections = sections_.constFind(RegFile::normalizedKeyPath(keyPath).toCaseFolded());
    if (sections == sections_.cend())
        return std::nullopt;
    QByteArray key = wineHeader + '\n';
    for (const QByteArrayView section : *sections)
        key.append(section).append('\n');
    const RegFile parsed = RegFile::parse(key);
    const RegFile::Value* value = parsed.findValue(keyPath, valueName);
    return value != nullptr ? std::optional(value->string()) : std::nullopt;
}

}  // namespace sonorelle
