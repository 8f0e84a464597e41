#include "audio/FileTagReader.h"

#include "app/SharedValues.h"
#include "audio/ID3v2Tag.h"
#include "songdata/SongDataContext.h"
#include "songdata/TagRecord.h"
#include "songdata/TagRecordFile.h"
#include "songdata/TextFields.h"

#include <QFile>
#include <QFileInfo>

namespace sonorelle {

namespace {

constexpr qint64 SmallestTaggedMp3 = 131;

void ShowRecord(const TagRecord& record, FileTagFields& fields)
{
    fields.put(FileTagField::Title, TrimTrailingBlanks(record.StrTitle));
    fields.put(FileTagField::Artist, TrimTrailingBlanks(record.StrArtist));
    fields.put(FileTagField::Album, TrimTrailingBlanks(record.StrAlbum));
    fields.put(FileTagField::Year, TrimTrailingBlanks(record.StrYear));
    fields.put(FileTagField::Comment, TrimTrailingBlanks(record.StrComment));
}

}  // namespace

void GetMp3Info(const QString& path, FileTagFields& fields, Id3Values& id3, const CodePage& codePage)
{
    if (QFileInfo(path).size() < SmallestTaggedMp3)
        return;
    TagRecord record;
    if (TagRecordFile::read(path, record, codePage) == TagRecordFile::ReadResult::Tagged) {
        ShowRecord(record, fields);
        if (!fields.isBlank())
            return;
    }
    if (ReadID3v2Tag(path, id3))
        ShowID3v2Values(id3, fields);
}

bool ReadID3v2Tag(const QString& path, Id3Values& id3)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const std::optional<ID3v2Header> header = ReadID3v2Header(file.read(ID3v2Header::Length));
    if (!header || !header->fitsIn(file.size()))
        return false;
    const QByteArray body = file.read(header->bodySize);
    return !body.isEmpty() && ParseID3v2Frames(body, *header, id3);
}

void ShowID3v2Values(const Id3Values& id3, FileTagFields& fields)
{
    fields.put(FileTagField::Title, id3.Id3Title);
    fields.put(FileTagField::Artist, id3.Id3Artist);
    fields.put(FileTagField::Album, id3.Id3Album);
    fields.put(FileTagField::Year, id3.Id3Year);
    fields.put(FileTagField::Comment, id3.Id3Comment);
}

void GetStrInfo_To_mp3(const QString& path, const QString& listedName, FileTagFields& fields, TagRecord& StrTg,
                       const SongDataContext& context)
{
    switch (TagRecordFile::read(path, StrTg, context.shared.TagCodePage)) {
    case TagRecordFile::ReadResult::TooShort:
        context.reportError(TextOr(context.texts, QStringLiteral("msg9_1"), {}) + listedName
                            + TextOr(context.texts, QStringLiteral("msg9_3"), {}));
        return;
    case TagRecordFile::ReadResult::Tagged:
        ShowRecord(StrTg, fields);
        return;
    case TagRecordFile::ReadResult::Missing:
    case TagRecordFile::ReadResult::Untagged:
        return;
    }
}

void ClearFileTagBoxes(FileTagFields& fields)
{
    fields.clear();
}

void ClearVar(FileTagFields& fields, Id3Values& id3)
{
    ClearFileTagBoxes(fields);
    id3.clear();
}

}  // namespace sonorelle
