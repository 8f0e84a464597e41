#include "audio/StreamDecoder.h"

#include "app/SharedValues.h"
#include "audio/CopyFileSection.h"
#include "audio/ToolStep.h"
#include "songdata/TagRecord.h"

#include <QFile>
#include <QFileInfo>

namespace sonorelle {

namespace {

// The record's mark in any case: the game's own tools write "tag" as well as "TAG".
bool EndsInTagRecord(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < TagRecord::Size || !file.seek(file.size() - TagRecord::Size))
        return false;
    return file.read(3).toLower() == "tag";
}

}  // namespace

StreamDecoder::StreamDecoder(const SharedValues& shared)
    : shared_(shared)
{
}

QString StreamDecoder::workFile(const QString& name) const
{
    return shared_.TempDir + u'/' + name;
}

StreamDecoder::Result StreamDecoder::decode(const QString& stream, TagRecordCut cut, Feedback& feedback) const
{
    Result result;
    const QString copy = workFile(QStringLiteral("playwav.sng"));
    QFile::remove(copy);
    if (!QFile::copy(stream, copy)) {
        result.problem = QStringLiteral("Copying the song to the work folder failed: %1 cannot be copied to %2.")
                             .arg(stream, copy);
        return result;
    }
    result.input = copy;
    if (cut == TagRecordCut::WhenPresent && EndsInTagRecord(copy)) {
        result.input = workFile(QStringLiteral("playwavt.sng"));
        qint64 length = QFileInfo(copy).size() - TagRecord::Size;
        if (!CopyFileSection(copy, result.input, 0, length)) {
            result.problem = QStringLiteral("Cutting the tag record off the song failed: %1 cannot be written.")
                                 .arg(result.input);
            return result;
        }
    }
    const ToolStep decoder{QStringLiteral("Decoding the song (addon3)"), shared_.ProgramDir + QStringLiteral("/addon3"),
                           {QStringLiteral("-wave"), result.input, QStringLiteral("="), wavFile()}, wavFile()};
    const ToolStep::Result ran = decoder.run(feedback);
    result.decoded = ran.succeeded;
    result.cancelled = ran.cancelled;
    result.problem = ran.problem;
    return result;
}

}  // namespace sonorelle
