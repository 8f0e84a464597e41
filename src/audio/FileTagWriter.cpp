#include "audio/FileTagWriter.h"

#include "app/SharedValues.h"
#include "songdata/SongDataContext.h"
#include "songdata/TagRecord.h"
#include "songdata/TagRecordFile.h"

#include <QFile>

#include <optional>

namespace sonorelle {

namespace {

// 255 is "no genre"; 0 would name one (Blues).
constexpr char NoGenre = char(0xFF);

// The record's bytes; nullopt (reported) when a text cannot be stored in the tag code page.
std::optional<QByteArray> RecordOf(const QString& path, const FileTagFields& fields, const SongDataContext& context)
{
    TagRecord record = TagRecord::forSlot(fields.value(FileTagField::Title), fields.value(FileTagField::Artist),
                                          fields.value(FileTagField::Album), fields.value(FileTagField::Year),
                                          fields.value(FileTagField::Comment));
    // Overwriting a record keeps the genre it had: the fields do not show one.
    TagRecord existing;
    const bool tagged =
        TagRecordFile::read(path, existing, context.shared.TagCodePage) == TagRecordFile::ReadResult::Tagged;
    record.StrGenre = tagged ? existing.StrGenre : NoGenre;
    return context.encodeTagRecord(record);
}

bool WriteRecord(const QString& path, const QByteArray& record, const SongDataContext& context)
{
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
    const std::optional<QByteArray> record = RecordOf(path, fields, context);
    if (!record)
        return false;
    // The owner's write permission stands for the cleared read-only attribute.
    if (QFile::exists(path))
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    return WriteRecord(path, *record, context);
}

bool WriteStrFileTag(const QString& path, const FileTagFields& fields, const SongDataContext& context)
{
    const std::optional<QByteArray> record = RecordOf(path, fields, context);
    return record && WriteRecord(path, *record, context);
}

}  // namespace sonorelle
