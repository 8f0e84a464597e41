#pragma once

#include "songdata/SongListRecord.h"

#include <QList>

namespace sonorelle {

// The songs of the game in list order, followed by one empty entry: the free slot
// that the add operation fills before the list is written and reloaded.
class SlotList {
public:
    SlotList();

    // The given songs followed by one empty entry.
    void assignSongs(QList<SongListRecord> songs);

    qsizetype size() const { return entries_.size(); }
    // The index of the trailing entry; equals the number of songs after a load.
    qsizetype lastIndex() const { return entries_.size() - 1; }
    bool isSong(qsizetype index) const { return index >= 0 && index < lastIndex(); }

    const QList<SongListRecord>& entries() const { return entries_; }
    const SongListRecord& at(qsizetype index) const { return entries_.at(index); }
    SongListRecord& operator[](qsizetype index) { return entries_[index]; }

    // The entry a new song goes into.
    SongListRecord& freeEntry() { return entries_.last(); }

    void swap(qsizetype first, qsizetype second) { entries_.swapItemsAt(first, second); }
    SongListRecord takeAt(qsizetype index) { return entries_.takeAt(index); }
    void insert(qsizetype index, SongListRecord record) { entries_.insert(index, std::move(record)); }

private:
    QList<SongListRecord> entries_;
};

}  // namespace sonorelle
