#pragma once

#include "songdata/SongListRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace sonorelle {

// songlist.bin: 140-byte records one after another, no header. A trailing piece
// shorter than a record is ignored.
class SongListFile {
public:
    // The records of the file; empty when it is missing or unreadable.
    static QList<SongListRecord> read(const QString& path);

    static QList<SongListRecord> decode(const QByteArray& bytes);
    static QByteArray encode(const QList<SongListRecord>& records);
};

}  // namespace sonorelle
