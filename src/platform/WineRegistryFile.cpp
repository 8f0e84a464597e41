#include "platform/WineRegistryFile.h"

#include "platform/KeyLineTargets.h"
#include "platform/RegFile.h"

#include <QMutexLocker>

#include <algorithm>

namespace sonorelle {

namespace {

const QByteArray wineHeader = QByteArrayLiteral("WINE REGISTRY Version 2");
constexpr qint64 blockSize = 256 * 1024;

// Collects, block after block, the stretches of whole lines that belong to the wanted keys:
// a key's line and its values, in file order, each stretch ended by a line break.
class SectionCollector {
public:
    explicit SectionCollector(const QStringList& normalizedPaths)
        : targets_(normalizedPaths)
        , sections_(normalizedPaths.size())
    {
    }

    // lines starts at the start of a line and ends after a line's end (or at the file's).
    void take(QByteArrayView lines)
    {
        // Key lines are the ones that start with '[' after blanks; value lines never do
        // (a hex value goes on over lines of hex digits), so only '[' needs looking at.
        qsizetype from = 0;
        for (qsizetype at = lines.indexOf('['); at >= 0; at = lines.indexOf('[', at + 1)) {
            if (!startsKeyLine(lines, at))
                continue;
            if (collecting_ >= 0)
                sections_[collecting_].append(lines.sliced(from, at - from)).append('\n');
            collecting_ = keyOf(lines, at);
            from = at;
        }
        if (collecting_ >= 0)
            sections_[collecting_].append(lines.sliced(from));
    }

    QList<QByteArray> finish()
    {
        if (collecting_ >= 0)
            sections_[collecting_].append('\n');
        return sections_;
    }

private:
    static bool startsKeyLine(QByteArrayView lines, qsizetype at)
    {
        qsizetype before = at - 1;
        while (before >= 0 && (lines[before] == ' ' || lines[before] == '\t'))
            --before;
        return before < 0 || lines[before] == '\n';
    }

    // Which wanted key the line at names, -1 for none.
    qsizetype keyOf(QByteArrayView lines, qsizetype at) const
    {
        const qsizetype end = lines.indexOf('\n', at);
        QByteArrayView text = lines.sliced(at, (end < 0 ? lines.size() : end) - at);
        if (text.endsWith('\r'))
            text.chop(1);
        return targets_.indexOf(text);
    }

    const KeyLineTargets targets_;
    QList<QByteArray> sections_;
    qsizetype collecting_ = -1;  // the key whose lines go on, also into the next block
};

}  // namespace

WineRegistryFile WineRegistryFile::open(QFile& file)
{
    WineRegistryFile opened;
    opened.path_ = file.fileName();
    opened.hasHeader_ = file.readLine(wineHeader.size() + 16).trimmed() == wineHeader;
    return opened;
}

WineRegistryFile::WineRegistryFile(const WineRegistryFile& other)
    : path_(other.path_)
    , hasHeader_(other.hasHeader_)
{
    const QMutexLocker lock(&other.mutex_);
    keys_ = other.keys_;
}

QList<QByteArray> WineRegistryFile::readKeys(const QStringList& normalizedPaths) const
{
    SectionCollector collector(normalizedPaths);
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return collector.finish();
    QByteArray block;
    for (;;) {
        const qsizetype kept = block.size();
        block.resize(kept + blockSize);
        const qint64 got = file.read(block.data() + kept, blockSize);
        block.resize(kept + std::max<qint64>(got, 0));
        const bool atEnd = got <= 0;
        // Only whole lines are looked at; an unfinished last line waits for the next read.
        const qsizetype whole = atEnd ? block.size() : block.lastIndexOf('\n') + 1;
        collector.take(QByteArrayView(block).first(whole));
        block.remove(0, whole);
        if (atEnd)
            return collector.finish();
    }
}

std::optional<QString> WineRegistryFile::findString(const QStringList& keyPaths, const QString& valueName) const
{
    if (!hasHeader_)
        return std::nullopt;
    QStringList paths;
    QList<QByteArray> keys;
    QStringList unknown;
    {
        const QMutexLocker lock(&mutex_);
        for (const QString& keyPath : keyPaths) {
            paths.append(RegFile::normalizedKeyPath(keyPath));
            keys.append(keys_.value(paths.last().toCaseFolded()));
            if (keys.last().isNull())
                unknown.append(paths.last());
        }
    }
    if (!unknown.isEmpty()) {
        const QList<QByteArray> read = readKeys(unknown);
        const QMutexLocker lock(&mutex_);
        for (qsizetype i = 0; i < unknown.size(); ++i) {
            const QByteArray lines = wineHeader + '\n' + read[i];
            keys_.insert(unknown[i].toCaseFolded(), lines);
            keys[paths.indexOf(unknown[i])] = lines;
        }
    }
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const RegFile parsed = RegFile::parse(keys[i]);
        if (const RegFile::Value* value = parsed.findValue(paths[i], valueName))
            return value->string();
    }
    return std::nullopt;
}

}  // namespace sonorelle
