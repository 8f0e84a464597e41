#include "songdata/SongListRecord.h"

#include "songdata/TextFields.h"
#include "songdata/Utf8Text.h"

#include <QtEndian>

namespace sonorelle {

namespace {

constexpr qsizetype NameOffset = 4;
constexpr qsizetype ArtistOffset = 12;
constexpr qsizetype TitleOffset = 52;
constexpr qsizetype AlbumOffset = 92;
constexpr qsizetype ReservedAOffset = 132;
constexpr qsizetype ReservedBOffset = 136;

quint32 wordAt(QByteArrayView bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.data() + offset);
}

QString textAt(QByteArrayView bytes, qsizetype offset, qsizetype width)
{
    QByteArrayView field = bytes.sliced(offset, width);
    const qsizetype zero = field.indexOf('\0');
    if (zero >= 0)
        field = field.first(zero);
    return DecodeUTF8(field);
}

QByteArray fieldBytes(const QString& text, qsizetype width)
{
    return Utf8Prefix(EncodeUTF8(text), width);
}

void putText(QByteArray& record, qsizetype offset, qsizetype width, const QString& text)
{
    const QByteArray bytes = fieldBytes(text, width);
    record.replace(offset, bytes.size(), bytes);
}

}  // namespace

SongListRecord SongListRecord::fromBytes(QByteArrayView bytes)
{
    Q_ASSERT(bytes.size() == Size);
    SongListRecord record;
    record.stamp = wordAt(bytes, 0);
    record.streamName = TrimBlanks(textAt(bytes, NameOffset, NameBytes));
    record.artist = textAt(bytes, ArtistOffset, TextBytes);
    record.title = textAt(bytes, TitleOffset, TextBytes);
    record.album = textAt(bytes, AlbumOffset, TextBytes);
    record.reservedA = wordAt(bytes, ReservedAOffset);
    record.reservedB = wordAt(bytes, ReservedBOffset);
    return record;
}

QByteArray SongListRecord::toBytes() const
{
    QByteArray record(Size, '\0');
    qToLittleEndian<quint32>(WrittenStamp, record.data());
    putText(record, NameOffset, NameBytes, TrimBlanks(streamName));
    const auto shown = [](const QString& text) { return TrimBlanks(LeftChars(text, TextChars)); };
    putText(record, ArtistOffset, TextBytes, shown(artist));
    putText(record, TitleOffset, TextBytes, shown(title));
    putText(record, AlbumOffset, TextBytes, shown(album));
    return record;
}

QString SongListRecord::storedStreamName() const
{
    // The cut may end on a blank, which the reader drops.
    return TrimBlanks(DecodeUTF8(fieldBytes(TrimBlanks(streamName), NameBytes)));
}

}  // namespace sonorelle
