#pragma once

#include "songdata/SongDataContext.h"

#include <QStringList>

namespace sonorelle {

class SlotList;
class TagRecord;

// Loads songlist.bin into the slot list and builds the line that the song list box
// shows for each song.
class SongListLoader {
public:
    static constexpr qsizetype ShownChars = 20;

    // Records whose stream file is missing are dropped. A song's line is the artist
    // and title of its stream's tag record (each cut to 20 characters) when it has
    // one, else those of the list. A stream too short to carry a record is reported
    // and shown by its stream name. Line i belongs to slot i.
    static QStringList NameExpert(SlotList& slotList, TagRecord& StrTg, const SongDataContext& context);
};

}  // namespace sonorelle
