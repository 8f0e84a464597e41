#include "songdata/TagRecord.h"

#include "songdata/TextFields.h"

namespace sonorelle {

namespace {

constexpr qsizetype TagWidth = 3;

QByteArray latin1Field(const QString& text, qsizetype width)
{
    return FixedWidth(text, width).toLatin1();
}

}  // namespace

TagRecord TagRecord::forSlot(const QString& title, const QString& artist, const QString& album,
                             const QString& year, const QString& comment)
{
    TagRecord record;
    record.StrTag = QStringLiteral("TAG");
    record.StrTitle = FixedWidth(title, TextWidth);
    record.StrArtist = FixedWidth(artist, TextWidth);
    record.StrAlbum = FixedWidth(album, TextWidth);
    record.StrYear = FixedWidth(year, YearWidth);
    record.StrComment = FixedWidth(comment, TextWidth);
    record.StrGenre = SlotGenre;
    return record;
}

TagRecord TagRecord::fromBytes(const QByteArray& bytes)
{
    Q_ASSERT(bytes.size() == Size);
    qsizetype offset = 0;
    const auto take = [&bytes, &offset](qsizetype width) {
        const QString text = QString::fromLatin1(bytes.constData() + offset, width);
        offset += width;
        return text;
    };
    TagRecord record;
    record.StrTag = take(TagWidth);
    record.StrTitle = take(TextWidth);
    record.StrArtist = take(TextWidth);
    record.StrAlbum = take(TextWidth);
    record.StrYear = take(YearWidth);
    record.StrComment = take(TextWidth);
    record.StrGenre = bytes.at(offset);
    return record;
}

QByteArray TagRecord::toBytes() const
{
    QByteArray bytes;
    bytes.reserve(Size);
    bytes += latin1Field(StrTag, TagWidth);
    bytes += latin1Field(StrTitle, TextWidth);
    bytes += latin1Field(StrArtist, TextWidth);
    bytes += latin1Field(StrAlbum, TextWidth);
    bytes += latin1Field(StrYear, YearWidth);
    bytes += latin1Field(StrComment, TextWidth);
    bytes += StrGenre;
    return bytes;
}

bool TagRecord::hasMarker() const
{
    return StrTag == QLatin1String("TAG");
}

}  // namespace sonorelle
