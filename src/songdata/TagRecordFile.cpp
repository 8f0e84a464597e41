#include "songdata/TagRecordFile.h"

#include <QFile>

namespace sonorelle {

namespace {

constexpr qsizetype MarkerSize = 3;

QByteArray markerAtRecordStart(QFile& file)
{
    if (file.size() < TagRecord::Size || !file.seek(file.size() - TagRecord::Size))
        return {};
    return file.read(MarkerSize);
}

}  // namespace

TagRecordFile::ReadResult TagRecordFile::read(const QString& path, TagRecord& StrTg, const CodePage& codePage)
{
    QFile file(path);
    // One small read at the end: a read buffer would only cost an allocation.
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return ReadResult::Missing;
    if (file.size() < TagRecord::Size)
        return ReadResult::TooShort;
    if (!file.seek(file.size() - TagRecord::Size))
        return ReadResult::Missing;
    const QByteArray bytes = file.read(TagRecord::Size);
    if (bytes.size() != TagRecord::Size || !bytes.startsWith("TAG"))
        return ReadResult::Untagged;
    StrTg = TagRecord::fromBytes(bytes, codePage);
    return ReadResult::Tagged;
}

bool TagRecordFile::write(const QString& path, const QByteArray& record, Placement placement, QString* error)
{
    Q_ASSERT(record.size() == TagRecord::Size);
    // Unbuffered, so a short write (disk full) shows in write()'s result.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return false;
    }
    const bool replace = placement == Placement::ReplaceAnyCaseTag
                         && markerAtRecordStart(file).compare("tag", Qt::CaseInsensitive) == 0;
    const qint64 position = replace ? file.size() - TagRecord::Size : file.size();
    if (!file.seek(position) || file.write(record) != record.size()) {
        *error = file.errorString();
        // An append that failed halfway must not leave a stump behind the audio.
        if (!replace)
            file.resize(position);
        return false;
    }
    return true;
}

}  // namespace sonorelle
