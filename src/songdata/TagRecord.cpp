#include "songdata/TagRecord.h"

#include "platform/CodePage.h"
#include "songdata/TextFields.h"

#include <array>

namespace sonorelle {

namespace {

constexpr qsizetype TagWidth = 3;

// The bytes of text in width bytes, padded with blanks; a code page of several bytes
// per character may hold fewer than width characters.
std::optional<QByteArray> fieldBytes(const QString& text, qsizetype width, const CodePage& codePage)
{
    QString cut = LeftChars(text, width);
    for (;;) {
        std::optional<QByteArray> bytes = codePage.encode(cut);
        if (!bytes || bytes->size() <= width)
            return bytes ? std::optional<QByteArray>(bytes->leftJustified(width, ' ')) : std::nullopt;
        cut = LeftChars(cut, cut.size() - 1);
    }
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

TagRecord TagRecord::fromBytes(const QByteArray& bytes, const CodePage& codePage)
{
    Q_ASSERT(bytes.size() == Size);
    qsizetype offset = 0;
    const auto take = [&bytes, &offset, &codePage](qsizetype width) {
        const QString text = codePage.decode(QByteArrayView(bytes).sliced(offset, width));
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

std::optional<QByteArray> TagRecord::toBytes(const CodePage& codePage, Field* unencodable) const
{
    const std::optional<QByteArray> tag = codePage.encode(StrTag);
    QByteArray bytes = tag ? tag->leftJustified(TagWidth, ' ', true) : QByteArray(TagWidth, ' ');
    bytes.reserve(Size);
    const std::array<std::pair<Field, qsizetype>, 5> fields = {{{Field::Title, TextWidth},
                                                                {Field::Artist, TextWidth},
                                                                {Field::Album, TextWidth},
                                                                {Field::Year, YearWidth},
                                                                {Field::Comment, TextWidth}}};
    for (const auto& [field, width] : fields) {
        const std::optional<QByteArray> encoded = fieldBytes(text(field), width, codePage);
        if (!encoded) {
            if (unencodable != nullptr)
                *unencodable = field;
            return std::nullopt;
        }
        bytes += *encoded;
    }
    bytes += StrGenre;
    return bytes;
}

const QString& TagRecord::text(Field field) const
{
    switch (field) {
    case Field::Title:
        return StrTitle;
    case Field::Artist:
        return StrArtist;
    case Field::Album:
        return StrAlbum;
    case Field::Year:
        return StrYear;
    case Field::Comment:
        break;
    }
    return StrComment;
}

bool TagRecord::hasMarker() const
{
    return StrTag == QLatin1String("TAG");
}

}  // namespace sonorelle
