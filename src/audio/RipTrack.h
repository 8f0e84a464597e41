#pragma once

#include "app/Operation.h"

#include <QString>

namespace sonorelle {

class CdDisc;

// Rips a range of frames of an open CD unit into a WAV file (44-byte header, then the
// frames as read). The file is written under a temporary name beside the target and
// takes the target's name only when complete, so a failed or cancelled rip leaves
// neither a partial file nor a header that claims audio the file lacks.
class RipTrack : public Operation {
public:
    static constexpr int ChunkFrames = 26;

    // Frames [first, end) into outputPath.
    RipTrack(CdDisc& disc, const QString& outputPath, qint32 first, qint32 end);

    // The whole of audio track number `track`; a data track or a number the disc lacks
    // makes run() fail with a message.
    static RipTrack ofTrack(CdDisc& disc, int track, const QString& outputPath);

    // Progress goes to feedback after every chunk ("Extracting track " + output path,
    // frames done, frames in all); Cancel is honoured between chunks.
    OperationResult run(Feedback& feedback) override;

private:
    CdDisc& disc_;
    QString outputPath_;
    qint32 first_;
    qint32 end_;
    QString refusal_;  // why the rip cannot start, "" when it can
};

}  // namespace sonorelle
