#include "songdata/SlotList.h"

namespace sonorelle {

SlotList::SlotList()
    : entries_(1)
{
}

void SlotList::assignSongs(QList<SongListRecord> songs)
{
    entries_ = std::move(songs);
    entries_.append(SongListRecord{});
}

}  // namespace sonorelle
