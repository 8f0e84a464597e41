#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace sonorelle {

// One 140-byte entry of the game's song list: a stream name and the artist, title
// and album the game shows. In memory the texts are decoded; on disk they are UTF-8
// padded with zero bytes.
struct SongListRecord {
    static constexpr qsizetype Size = 140;
    static constexpr qsizetype NameBytes = 8;
    static constexpr qsizetype TextBytes = 40;
    static constexpr qsizetype TextChars = 20;  // what the writer keeps of each text
    static constexpr quint32 WrittenStamp = 20070100;

    quint32 stamp = 0;
    QString streamName;
    QString artist;
    QString title;
    QString album;
    quint32 reservedA = 0;
    quint32 reservedB = 0;

    // bytes must hold exactly Size bytes. Each field ends at its first zero byte (a
    // field without one is taken whole); the stream name loses its outer blanks.
    static SongListRecord fromBytes(QByteArrayView bytes);

    // The bytes the writer stores: stamp 20070100, each text cut to 20 characters,
    // stripped, UTF-8, cut to 40 bytes on a character boundary; reserved words zero.
    QByteArray toBytes() const;

    // The stream name as the writer stores it (stripped, cut to 8 bytes) and the
    // reader reads it back (stripped again): the name the written record points at.
    QString storedStreamName() const;

    bool operator==(const SongListRecord&) const = default;
};

}  // namespace sonorelle
