#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace sonorelle {

class CodePage;
class TagRecord;

// The song's texts as the add run takes them from a source file.
struct SourceTags {
    QString title;
    QString artist;
    QString album;
    QString year;
    QString comment;
    // Taken from a trailing record, whose genre byte counts as tag text of its own.
    bool fromRecord = false;

    // Whether the new stream gets a tag record and the list entry these texts.
    bool any() const;
    QStringList texts() const;
    // The same texts without the characters the code page cannot represent.
    SourceTags encodableIn(const CodePage& codePage) const;

    // The texts of a record as a reader of ID3v1 sees them: each up to its first zero
    // byte, without its padding blanks.
    static SourceTags fromRecordTexts(const TagRecord& record);
};

// The trailing record of an audio file when it has one with any text; otherwise its
// ID3v2 title, artist, album, year and comment; otherwise nothing.
SourceTags ReadSourceTags(const QString& path, const CodePage& codePage);

// The trailing record of a game stream, when it has one.
std::optional<SourceTags> ReadStreamTags(const QString& path, const CodePage& codePage);

}  // namespace sonorelle
