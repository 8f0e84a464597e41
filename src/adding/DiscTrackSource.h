#pragma once

#include "adding/CdTrackSource.h"
#include "platform/CdUnits.h"

#include <memory>
#include <optional>

namespace sonorelle {

class CdDisc;

// CD tracks of one CD unit (the one chosen for ripping), ripped for the add run and
// for sonorelle-cli. The unit is opened on the first rip and stays open while the
// source lives, so a run of tracks reads the table of contents once.
class DiscTrackSource : public CdTrackSource {
public:
    // unit is copied; nullptr when no unit is chosen.
    explicit DiscTrackSource(const CdUnit* unit);
    ~DiscTrackSource() override;

    Outcome ripTrack(const QString& track, const QString& wavPath, Feedback& feedback, QString* error,
                     SourceTags* tags = nullptr) override;

    // The open disc, opened now when it is not yet; nullptr with *error set when it
    // cannot be.
    CdDisc* disc(QString* error);

    // The track number a "TrackNN.cda" name (any case, any folder) gives; 0 for
    // any other name.
    static int trackNumberOf(const QString& name);

private:
    std::optional<CdUnit> unit_;
    std::unique_ptr<CdDisc> disc_;
};

}  // namespace sonorelle
