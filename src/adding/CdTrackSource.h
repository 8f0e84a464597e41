#pragma once

#include <QString>

namespace sonorelle {

class Feedback;
struct SourceTags;

// Reads an audio CD track into a WAV file for the add run. The CD subsystem provides
// it; without one an add run refuses CD tracks instead of guessing.
class CdTrackSource {
public:
    enum class Outcome { Ripped, Failed, Cancelled };

    virtual ~CdTrackSource() = default;

    // Rips the track that `track` names (a "TrackNN.cda" entry as the file browser
    // lists it) into wavPath, reporting progress through feedback and stopping when
    // feedback.cancelRequested(). On Failed, *error says why. When Ripped and tags is
    // given, *tags gets what the disc tells of the track (CD-Text), empty when nothing.
    virtual Outcome ripTrack(const QString& track, const QString& wavPath, Feedback& feedback, QString* error,
                             SourceTags* tags = nullptr) = 0;
};

}  // namespace sonorelle
