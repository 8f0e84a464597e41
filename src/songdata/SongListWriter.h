#pragma once

#include "songdata/SongDataContext.h"

#include <QString>

namespace sonorelle {

class SlotList;

// Writes the slot list to songlist.bin and puts it back into the game's archive.
class SongListWriter {
public:
    // Entries whose stream file does not exist (the empty free entry among them) are
    // not written. The new file replaces the old one in a single rename; when the
    // archive tool then fails, the previous songlist.bin is put back, so the loose
    // list and the archive never disagree. Every failure is reported; "OK" is shown
    // only when the archive holds the new list.
    static bool SaveList(const SlotList& slotList, const SongDataContext& context);
};

}  // namespace sonorelle
