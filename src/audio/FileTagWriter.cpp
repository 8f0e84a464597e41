#include "audio/FileTagWriter.h"

#include "songdata/SongDataContext.h"
#include "songdata/TagRecord.h"
#include "songdata/TagRecordFile.h"

#include <QFile>

namespace sonorelle {

namespace {

constexpr char FileTagGenre = 0;

bool WriteRecord(const QString& path, const FileTagFields& fields, const SongDataContext& context)
{
    TagRecord record = TagRecord::forSlot(fields.value(FileTagField::Title), fields.value(FileTagField::Artist),
                                          fields.value(FileTagField::Album), fields.value(FileTagField::Year),
                                          fields.value(FileTagField::Comment));
    record.StrGenre = FileTagGenre;
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
