#pragma once

#include "platform/CdUnits.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace sonorelle::test {

struct ImageTrack {
    bool audio = true;
    int pregapFrames = 0;  // between INDEX 00 and INDEX 01
    int frames = 0;        // from INDEX 01 to the next track's INDEX 00
    QByteArray title;
    QByteArray performer;
};

struct ImageDisc {
    QByteArray title;
    QByteArray performer;
    QList<ImageTrack> tracks;
};

// count bytes of the data file from offset on: a pattern that differs from frame to
// frame, so a read from the wrong place shows.
QByteArray PatternBytes(qint64 offset, qint64 count);

// The WAV file that holds frames [firstFrame, firstFrame + frames) of a generated
// image: the 44-byte header spelled out, then the pattern.
QByteArray ExpectedWav(qint64 firstFrame, qint64 frames);

// First frame (after the pregap) of track index i (from 0).
qint32 TrackStartFrame(const ImageDisc& disc, int index);

// Writes folder/base.cue (or .toc) and folder/base.bin; returns the image's path.
QString WriteCueImage(const QString& folder, const QString& base, const ImageDisc& disc);
QString WriteTocImage(const QString& folder, const QString& base, const ImageDisc& disc);

inline CdUnit ImageUnit(const QString& path)
{
    return CdUnit{path.section(u'/', -1), path, true, {}};
}

}  // namespace sonorelle::test
