#pragma once

#include "platform/CdDisc.h"

#include <QList>
#include <QString>

namespace sonorelle {

// One audio track as the file browser lists it.
struct CdaEntry {
    QString name;  // "Track01.cda", numbered by the track's number
    int track = 0;
    qint32 firstFrame = 0;
    qint32 frameCount = 0;
    QString length;  // m:ss
    QString title;   // CD-Text, "" when none
    QString performer;
};

// The audio tracks of the disc in track order; data tracks (an enhanced CD's data
// session, a mixed-mode disc's first track) are left out.
QList<CdaEntry> ListCdaEntries(const CdDisc& disc);

// The same for a unit, opened for the listing only; empty with *error set when the
// unit cannot be opened.
QList<CdaEntry> ListCdaEntries(const CdUnit& unit, QString* error);

// m:ss of a frame count, 75 frames a second, rounded down.
QString CdLengthText(qint32 frames);

}  // namespace sonorelle
