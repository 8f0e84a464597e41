#include "audio/ExportOperation.h"

#include "app/Feedback.h"
#include "app/SharedValues.h"
#include "audio/CopyFileSection.h"
#include "audio/StreamDecoder.h"
#include "audio/ToolStep.h"
#include "platform/Id3v2Writer.h"
#include "songdata/SongDataContext.h"
#include "songdata/SongListDocument.h"
#include "songdata/SongListRecord.h"

#include <utility>

namespace sonorelle {

namespace {

const QString ExportComment = QStringLiteral("Sonorelle");

// A song without a tag record shows empty fields; exporting it must not wipe its
// name from the list, so an empty field takes the list entry's text.
QString OrEntry(const QString& field, const QString& entry)
{
    return field.isEmpty() ? entry : field;
}

}  // namespace

ExportOperation::ExportOperation(const SharedValues& shared, TextLookup texts, SongListDocument& document,
                                 int slot, SlotTagFields fields, const QString& destination)
    : shared_(shared)
    , texts_(std::move(texts))
    , document_(document)
    , slot_(slot)
    , fields_(std::move(fields))
    , destination_(WithMp3Extension(destination))
{
}

QString ExportOperation::WithMp3Extension(const QString& chosen)
{
    return chosen.endsWith(QStringLiteral(".mp3"), Qt::CaseInsensitive) ? chosen : chosen + QStringLiteral(".mp3");
}

OperationResult ExportOperation::run(Feedback& feedback)
{
    const SongDataContext context{shared_, feedback, texts_};
    // reported: false when the message is out already.
    const auto stop = [&](OperationResult::Outcome outcome, const QString& problem, bool reported = false) {
        feedback.hideProgress();
        if (outcome == OperationResult::Outcome::Failed && !reported)
            context.reportError(problem);
        return OperationResult{outcome, problem, {problem}};
    };
    const auto status = [&](const char* key) {
        feedback.setStatus(texts_(QString::fromLatin1(key)));
        feedback.processEvents();
    };

    feedback.showProgress();
    status("sost2");
    const QString stream = document_.slotList().isSong(slot_) ? document_.streamFileOf(slot_) : QString();
    if (stream.isEmpty())
        return stop(OperationResult::Outcome::Failed, QStringLiteral("The song has no stream file to export."));
    const StreamDecoder decoder(shared_);
    const StreamDecoder::Result decoded = decoder.decode(stream, StreamDecoder::TagRecordCut::WhenPresent, feedback);
    if (!decoded.decoded)
        return stop(decoded.cancelled ? OperationResult::Outcome::Cancelled : OperationResult::Outcome::Failed,
                    decoded.problem);

    status("sost3");
    const QString mp3 = decoder.workFile(QStringLiteral("playwav.mp3"));
    const ToolStep encoder{QStringLiteral("Encoding the MP3 (addon1)"), shared_.ProgramDir + QStringLiteral("/addon1"),
                           {QStringLiteral("--preset"), QStringLiteral("cd"), decoder.wavFile(), mp3}, mp3};
    const ToolStep::Result encoded = encoder.run(feedback);
    if (!encoded.succeeded)
        return stop(encoded.cancelled ? OperationResult::Outcome::Cancelled : OperationResult::Outcome::Failed,
                    encoded.problem);

    status("sost4");
    const SongListRecord& entry = document_.slotList().at(slot_);
    const SlotTagFields tags{OrEntry(fields_.title, entry.title), OrEntry(fields_.artist, entry.artist),
                             OrEntry(fields_.album, entry.album), fields_.date, ExportComment};
    // The ID3v2 tag keeps every character of the fields; the ID3v1 record takes what
    // the tag code page holds.
    QString error;
    if (!Id3v2Writer::write(mp3, {tags.title, tags.artist, tags.album, tags.date, tags.comment}, &error))
        return stop(OperationResult::Outcome::Failed, QStringLiteral("Tagging the MP3 failed: %1").arg(error));
    const CodePage& codePage = shared_.TagCodePage;
    const QStringList texts{tags.title, tags.artist, tags.album, tags.date, tags.comment};
    QStringList recorded;
    for (const QString& text : texts)
        recorded.append(codePage.encodablePart(text));
    // The list entry takes the fields only when nothing of them was left out.
    const bool whole = recorded == texts;
    const bool recordWritten = document_.SaveStrInfo(mp3, recorded[0], recorded[1], recorded[2], recorded[3],
                                                     recorded[4], whole, slot_);
    const bool listSaved = document_.lastSaveSucceeded();
    if (!recordWritten && listSaved)
        return stop(OperationResult::Outcome::Failed, QStringLiteral("Tagging the MP3 failed."), true);
    document_.NameExpert();

    qint64 everything = 0;
    if (!CopyFileSection(mp3, destination_, 0, everything))
        return stop(OperationResult::Outcome::Failed,
                    QStringLiteral("Copying the MP3 to %1 failed; nothing was written there.").arg(destination_));
    feedback.hideProgress();
    if (!listSaved)
        return {OperationResult::Outcome::Partly, destination_,
                {QStringLiteral("The song list could not be saved.")}};
    return {OperationResult::Outcome::Done, destination_, {}};
}

}  // namespace sonorelle
