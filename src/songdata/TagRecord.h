#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace sonorelle {

class CodePage;

// The 128-byte record at the very end of a stream or MP3 file (ID3v1 field order).
// Texts are bytes of a Windows ANSI code page (the one the game reads them in), padded
// with blanks. The members keep whatever text they were given; the widths are applied
// when the record is turned into bytes.
class TagRecord {
public:
    enum class Field { Title, Artist, Album, Year, Comment };

    static constexpr qsizetype Size = 128;
    static constexpr qsizetype TextWidth = 30;
    static constexpr qsizetype YearWidth = 4;

    QString StrTag;
    QString StrTitle;
    QString StrArtist;
    QString StrAlbum;
    QString StrYear;
    QString StrComment;
    char StrGenre = 0;

    // The record the slot writers put into a stream: marker "TAG", every text padded
    // or cut to its width, genre '7'.
    static TagRecord forSlot(const QString& title, const QString& artist, const QString& album,
                             const QString& year, const QString& comment);

    // bytes must hold exactly Size bytes; the texts keep their padding.
    static TagRecord fromBytes(const QByteArray& bytes, const CodePage& codePage);
    // The Size bytes of the record. nullopt when a text holds a character the code page
    // cannot represent (*unencodable then names the first such field): a text is
    // never stored changed. A text is cut to whole characters that fit its width.
    std::optional<QByteArray> toBytes(const CodePage& codePage, Field* unencodable = nullptr) const;

    const QString& text(Field field) const;

    // True when the marker is exactly "TAG": the only record a reader accepts.
    bool hasMarker() const;

    static constexpr char SlotGenre = '7';
};

}  // namespace sonorelle
