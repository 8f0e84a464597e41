#pragma once

#include <QList>
#include <QtGlobal>

namespace sonorelle {

// Frames are addressed as reads take them: the first frame of the program area is
// frame 0 (what drives call LBA and libcdio calls LSN).
constexpr int CdFrameBytes = 2352;  // 588 stereo samples of 16 bits

struct CdTocTrack {
    int number = 0;
    qint32 start = 0;  // first frame
    qint32 end = 0;    // frame after the last one that belongs to the track
    bool isAudio = false;

    qint32 frameCount() const { return end - start; }
};

// The table of contents of an open unit.
struct CdToc {
    int firstTrack = 0;
    int lastTrack = 0;
    QList<CdTocTrack> tracks;  // in track order
    qint32 leadOut = 0;        // first frame after the disc's last track

    // Start of entry i (from 0): track i+1's first frame, or the lead-out for the
    // entry after the last track.
    qint32 TrackLBA(qsizetype entry) const { return entry < tracks.size() ? tracks.at(entry).start : leadOut; }

    // The track with this number, or nullptr.
    const CdTocTrack* track(int number) const;
};

}  // namespace sonorelle
