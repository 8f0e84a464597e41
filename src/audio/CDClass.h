#pragma once

#include "platform/CdUnits.h"

#include <memory>
#include <optional>

namespace sonorelle {

class CdDisc;
class Feedback;
class PreviewPlayer;

// The program's CD audio device: plays a track of the CD unit the file browser shows
// through the program's one player, reading the frames digitally as it plays, so
// playing starts at once on drives and disc images alike.
class CDClass {
public:
    // feedback and preview must outlive the device.
    CDClass(Feedback& feedback, PreviewPlayer& preview);
    ~CDClass();

    // The unit whose tracks setTrack plays from now on; stops what it played.
    void startCD(const CdUnit& unit);
    // Plays audio track number `track` of the unit from its start; a unit that cannot
    // be read or a track it lacks is told in a message.
    void setTrack(int track);
    // Stops the track playing; a file that plays goes on.
    void stopCD();
    // Stops and lets go of the unit (the window's end).
    void closeAll();

private:
    Feedback& feedback_;
    PreviewPlayer& preview_;
    std::optional<CdUnit> unit_;
    // Shared with the track the player reads, which may outlive a change of unit.
    std::shared_ptr<CdDisc> disc_;
};

}  // namespace sonorelle
