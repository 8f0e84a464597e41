#pragma once

#include "platform/CdToc.h"
#include "platform/CdUnits.h"

#include <QList>
#include <QString>

#include <memory>

namespace sonorelle {

struct CdTextEntry {
    QString title;
    QString performer;
};

// One open CD unit (a drive or a disc image) with its table of contents and CD-Text.
// Audio is read from a drive through paranoia (verified, with a bounded number of
// retries per sector) and from an image directly.
class CdDisc {
public:
    // Opens the unit and reads its table of contents and CD-Text; nullptr with *error
    // set, in words for the person, when it cannot.
    static std::unique_ptr<CdDisc> OpenCD(const CdUnit& unit, QString* error);

    CdDisc(const CdDisc&) = delete;
    CdDisc& operator=(const CdDisc&) = delete;
    ~CdDisc();

    const CdUnit& unit() const { return unit_; }
    const CdToc& toc() const { return toc_; }

    // Title and performer of track n, or of the disc for 0; empty texts when the disc
    // carries none.
    CdTextEntry cdText(int track) const;

    // Reads count frames from frame first into buffer (count * CdFrameBytes bytes,
    // 16-bit little-endian stereo). False with *error naming the unit and the sector
    // when a frame cannot be read.
    bool readFrames(qint32 first, int count, char* buffer, QString* error);

    // The unit as messages name it.
    QString name() const;

private:
    struct Handles;
    CdDisc(const CdUnit& unit, std::unique_ptr<Handles> handles);
    bool readImageFrames(qint32 first, int count, char* buffer, QString* error);
    bool readDriveFrames(qint32 first, int count, char* buffer, QString* error);

    CdUnit unit_;
    std::unique_ptr<Handles> handles_;
    CdToc toc_;
    QList<CdTextEntry> texts_;  // index 0 the disc, then one per track number
};

}  // namespace sonorelle
