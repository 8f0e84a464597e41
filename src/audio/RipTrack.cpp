#include "audio/RipTrack.h"

#include "app/Feedback.h"
#include "platform/CdDisc.h"
#include "platform/CdWavHeader.h"

#include <QByteArray>
#include <QFileInfo>
#include <QSaveFile>

namespace sonorelle {

namespace {

OperationResult failed(const QString& problem, const QString& outputPath)
{
    return OperationResult{OperationResult::Outcome::Failed,
                           QStringLiteral("%1 Nothing was saved as %2.").arg(problem, outputPath),
                           {problem}};
}

}  // namespace

RipTrack::RipTrack(CdDisc& disc, const QString& outputPath, qint32 first, qint32 end)
    : disc_(disc)
    , outputPath_(outputPath)
    , first_(first)
    , end_(end)
{
    // The RIFF sizes are 32-bit; no CD comes near that, a wrong range might.
    constexpr qint64 MaxFrames = (qint64(0xFFFFFFFFu) - 36) / CdFrameBytes;
    if (end < first || qint64(end) - first > MaxFrames)
        refusal_ = QStringLiteral("Frames %1 to %2 are not a range that can be ripped from %3.")
                       .arg(first)
                       .arg(end)
                       .arg(disc.name());
}

RipTrack RipTrack::ofTrack(CdDisc& disc, int track, const QString& outputPath)
{
    const CdTocTrack* entry = disc.toc().track(track);
    RipTrack rip(disc, outputPath, entry ? entry->start : 0, entry ? entry->end : 0);
    if (entry == nullptr)
        rip.refusal_ = QStringLiteral("There is no track %1 on %2.").arg(track).arg(disc.name());
    else if (!entry->isAudio)
        rip.refusal_ = QStringLiteral("Track %1 of %2 holds data, not audio.").arg(track).arg(disc.name());
    return rip;
}

OperationResult RipTrack::run(Feedback& feedback)
{
    feedback.clearCancel();
    feedback.showProgress();
    if (!refusal_.isEmpty())
        return failed(refusal_, outputPath_);

    const qint32 total = end_ - first_;
    QSaveFile file(outputPath_);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(CdWavHeader(quint32(total) * CdFrameBytes)) != CdWavHeaderBytes) {
        return failed(QStringLiteral("Could not write %1: %2.").arg(outputPath_, file.errorString()), outputPath_);
    }

    // The name alone: the work folder's path would not fit the progress window.
    const QString detail = QStringLiteral("Extracting track ") + QFileInfo(outputPath_).fileName();
    QByteArray buffer(qsizetype(ChunkFrames) * CdFrameBytes, Qt::Uninitialized);
    qint32 done = 0;
    while (done < total) {
        const int chunk = qMin(ChunkFrames, total - done);
        QString error;
        if (!disc_.readFrames(first_ + done, chunk, buffer.data(), &error))
            return failed(error, outputPath_);
        const qint64 bytes = qint64(chunk) * CdFrameBytes;
        if (file.write(buffer.constData(), bytes) != bytes)
            return failed(QStringLiteral("Could not write %1: %2.").arg(outputPath_, file.errorString()), outputPath_);
        done += chunk;
        feedback.changeProgress(detail, done, total);
        feedback.processEvents();
        if (done < total && feedback.cancelRequested()) {
            return OperationResult{OperationResult::Outcome::Cancelled,
                                   QStringLiteral("Ripping was cancelled; nothing was saved as %1.").arg(outputPath_),
                                   {}};
        }
    }
    if (!file.commit())
        return failed(QStringLiteral("Could not save %1: %2.").arg(outputPath_, file.errorString()), outputPath_);
    return OperationResult{OperationResult::Outcome::Done,
                           QStringLiteral("Ripped %1 frames from %2 into %3.").arg(total).arg(disc_.name(), outputPath_),
                           {}};
}

}  // namespace sonorelle
