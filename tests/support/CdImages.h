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

// The WAV file holding frames [firstFrame, firstFrame + frames) of a generated image,
// its 44-byte header spelled out.
QByteArray ExpectedWav(qint64 firstFrame, qint64 frames);

// Writes folder/base.cue (or .toc) and folder/base.bin; returns the image as a unit.
CdUnit WriteCueImage(const QString& folder, const QString& base, const ImageDisc& disc);
CdUnit WriteTocImage(const QString& folder, const QString& base, const ImageDisc& disc);

}  // namespace sonorelle::test
