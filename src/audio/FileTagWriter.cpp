#include "audio/FileTagWriter.h"

#include "songdata/SongDataContext.h"
#include "songdata/TagRecord.h"
#include "songdata/TagRecordFile.h"

#include <QFile>

#include <optional>

namespace sonorelle {

namespace {

constexpr char FileTagGenre = 0;

// The record's bytes; nullopt (reported) when a text cannot be stored in the tag code page.
std::optional<QByteArray> RecordOf(const FileTagFields& fields, const SongDataContext& context)
{
    TagRecord record = TagRecord::forSlot(fields.value(FileTagField::Title), fields.value(FileTagField::Artist),
                                          fields.value(FileTagField::Album), fields.value(FileTagField::Year),
                                          fields.value(FileTagField::Comment));
    record.StrGenre = FileTagGenre;
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
    const std::optional<QByteArray> record = RecordOf(fields, context);
    if (!record)
        return false;
    // The owner's write permission stands for the cleared read-only attribute.
    if (QFile::exists(path))
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    return WriteRecord(path, *record, context);
}

bool WriteStrFileTag(const QString& path, const FileTagFields& fields, const SongDataContext& context)
{
    const std::optional<QByteArray> record = RecordOf(fields, context);
    return record && WriteRecord(path, *record, context);
}

}  // namespace sonorelle
