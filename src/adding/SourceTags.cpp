#include "adding/SourceTags.h"

#include "audio/FileTagReader.h"
#include "audio/Id3Values.h"
#include "platform/CodePage.h"
#include "songdata/TagRecord.h"
#include "songdata/TagRecordFile.h"
#include "songdata/TextFields.h"

namespace sonorelle {

namespace {

QString recordText(const QString& field)
{
    return TrimTrailingBlanks(field.left(field.indexOf(QChar(0))));
}

}  // namespace

bool SourceTags::any() const
{
    return fromRecord || !(title + artist + album + year + comment).isEmpty();
}

QStringList SourceTags::texts() const
{
    return {title, artist, album, year, comment};
}

SourceTags SourceTags::encodableIn(const CodePage& codePage) const
{
    return SourceTags{codePage.encodablePart(title), codePage.encodablePart(artist), codePage.encodablePart(album),
                      codePage.encodablePart(year), codePage.encodablePart(comment), fromRecord};
}

SourceTags SourceTags::fromRecordTexts(const TagRecord& record)
{
    return SourceTags{recordText(record.StrTitle),   recordText(record.StrArtist), recordText(record.StrAlbum),
                      recordText(record.StrYear),    recordText(record.StrComment), true};
}

SourceTags ReadSourceTags(const QString& path, const CodePage& codePage)
{
    TagRecord record;
    if (TagRecordFile::read(path, record, codePage) == TagRecordFile::ReadResult::Tagged) {
        const SourceTags tags = SourceTags::fromRecordTexts(record);
        const QString joined = tags.title + tags.artist + tags.album + tags.year + tags.comment;
        if (!TrimBlanks(joined).isEmpty())
            return tags;
    }
    // A fresh set of values: an earlier file's frames must not stand in for missing ones.
    Id3Values id3;
    ReadID3v2Tag(path, id3);
    return SourceTags{id3.Id3Title, id3.Id3Artist, id3.Id3Album, id3.Id3Year, id3.Id3Comment, false};
}

std::optional<SourceTags> ReadStreamTags(const QString& path, const CodePage& codePage)
{
    TagRecord record;
    if (TagRecordFile::read(path, record, codePage) != TagRecordFile::ReadResult::Tagged)
        return std::nullopt;
    return SourceTags::fromRecordTexts(record);
}

}  // namespace sonorelle
