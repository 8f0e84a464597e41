#include "audio/FileTagWriter.h"

#include "songdata/SongDataContext.h"
#include "songdata/TagRecord.h"
#include "songdata/TagRecordFile.h"

#include <QFile>

namespace sonorelle {

namespace {

// 255 is "no genre"; 0 would name one (Blues).
constexpr char NoGenre = char(0xFF);

bool WriteRecord(const QString& path, const FileTagFields& fields, const SongDataContext& context)
{
    TagRecord record = TagRecord::forSlot(fields.value(FileTagField::Title), fields.value(FileTagField::Artist),
                                          fields.value(FileTagField::Album), fields.value(FileTagField::Year),
                                          fields.value(FileTagField::Comment));
    // Overwriting a record keeps the genre it had: the fields do not show one.
    TagRecord existing;
    const bool tagged = TagRecordFile::read(path, existing) == TagRecordFile::ReadResult::Tagged;
    record.StrGenre = tagged ? existing.StrGenre : NoGenre;
    QString error;
    if (TagRecordFile::write(path, record, TagRecordFile::Placement::ReplaceAnyCaseTag, &error))
        return true;
    context.reportError(TextOr(context.texts, QStringLiteral("msgFileTagNotWritten"),
                               QStringLiteral("The tags could not be saved into the file:"))
                        + QStringLiteral("\n%1\n%2").arg(path, error));
    return false;
}

}  // namespace

bool WriteMp3Tag(const QString& path, const FileTagFields& fields, const SongDataContext& context)
{
    // The owner's write permission stands for the cleared read-only attribute.
    if (QFile::exists(path))
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    return WriteRecord(path, fields, context);
}

bool WriteStrFileTag(const QString& path, const FileTagFields& fields, const SongDataContext& context)
{
    return WriteRecord(path, fields, context);
}

}  // namespace sonorelle
