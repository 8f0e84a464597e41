#pragma once

#include "adding/CdTrackSource.h"
#include "platform/CdUnits.h"

#include <QString>

#include <map>
#include <memory>
#include <optional>

namespace sonorelle {

class CdUnitList;
class DiscTrackSource;

// CD tracks named by path, as the file browser and the command line name them: the
// folder is the unit, a drive's device or a disc image ("/dev/sr0/Track03.cda",
// "/discs/album.cue/Track03.cda"); a name without folder ("Track03.cda") is a track
// of the unit chosen for ripping. Each unit is opened once for a whole run.
class CdTrackPathSource : public CdTrackSource {
public:
    // units must outlive the source.
    explicit CdTrackPathSource(const CdUnitList& units);
    ~CdTrackPathSource() override;

    Outcome ripTrack(const QString& track, const QString& wavPath, Feedback& feedback, QString* error,
                     SourceTags* tags = nullptr) override;

    // The unit trackPath names: one of units, or a disc image that is none of them;
    // nothing, with *error set, when it names none.
    static std::optional<CdUnit> unitOf(const QString& trackPath, const CdUnitList& units, QString* error);

private:
    const CdUnitList& units_;
    std::map<QString, std::unique_ptr<DiscTrackSource>> discs_;  // by the unit's source
};

}  // namespace sonorelle
