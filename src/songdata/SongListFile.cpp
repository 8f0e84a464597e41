#include "songdata/SongListFile.h"

#include <QFile>

namespace sonorelle {

QList<SongListRecord> SongListFile::read(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return decode(file.readAll());
}

QList<SongListRecord> SongListFile::decode(const QByteArray& bytes)
{
    QList<SongListRecord> records;
    const qsizetype count = bytes.size() / SongListRecord::Size;
    records.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        records.append(SongListRecord::fromBytes(QByteArrayView(bytes).sliced(i * SongListRecord::Size, SongListRecord::Size)));
    return records;
}

QByteArray SongListFile::encode(const QList<SongListRecord>& records)
{
    QByteArray bytes;
    bytes.reserve(records.size() * SongListRecord::Size);
    for (const SongListRecord& record : records)
        bytes += record.toBytes();
    return bytes;
}

}  // namespace sonorelle
