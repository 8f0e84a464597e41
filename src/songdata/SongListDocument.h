#pragma once

#include "songdata/SlotList.h"
#include "songdata/SlotTagFields.h"
#include "songdata/SongDataContext.h"

#include <QString>
#include <QStringList>

#include <random>

namespace sonorelle {

class Feedback;
class TagRecord;
struct SharedValues;

// The game's song list as the window and the command line work on it: the slot list,
// the lines of the song list box (line i shows slot i) and every operation on them.
// Operations that change the selection return the index to select next, -1 for none;
// a selection outside the lines counts as none.
class SongListDocument {
public:
    // shared, feedback and StrTg belong to the caller and must outlive the document.
    SongListDocument(const SharedValues& shared, Feedback& feedback, TextLookup texts, TagRecord& StrTg);

    const SlotList& slotList() const { return slots_; }
    // For the add operation, which fills the free entry and then saves and reloads.
    SlotList& slotList() { return slots_; }
    // The lines of the song list box.
    const QStringList& lines() const { return lines_; }

    // Reloads songlist.bin into the slots and the lines; the caller picks a selection.
    const QStringList& NameExpert();
    // True when songlist.bin no longer holds what this document last read or wrote:
    // another window or sonorelle-cli changed the game's songs since.
    bool changedOnDisk() const;
    // Reloads the list; returns where the song that was at selected is now, -1 when
    // it is gone or nothing was selected.
    int reloadFollowing(int selected);
    // Writes the slots to songlist.bin and into the archive; false (reported) on failure.
    bool SaveList();
    // The outcome of the last SaveList, also of the one inside an edit: the edits
    // return a selection, and the command line still owes its caller an exit code.
    bool lastSaveSucceeded() const { return lastSaveSucceeded_; }

    // The slot's stream file, "" when its name cannot name one.
    QString streamFileOf(int slot) const;

    // A click on a line: the fields emptied, then filled from the slot's tag record,
    // or from its list entry when the stream has none, so a save keeps the song's name.
    SlotTagFields SlotClicked(int selected);
    // The tag record of Filename as the five fields; withoutRecord when it has none. A
    // file too short for a record is reported with shownLine.
    SlotTagFields GetStrInfo(const QString& Filename, const QString& shownLine,
                             const SlotTagFields& withoutRecord = ClearSlotTagBoxes());
    // Writes a slot tag record into an existing stream file; with massiv the selected
    // slot also takes the title, artist and album. Then saves the list.
    bool SaveStrInfo(const QString& Filename, const QString& st_title, const QString& st_artist,
                     const QString& st_album, const QString& st_year, const QString& st_comment, bool massiv,
                     int selected);
    // The save-tags button: the fields (cut to their limits) go into the selected
    // slot's stream file and list entry, then the list is reloaded.
    bool SaveSlotTags(int selected, const SlotTagFields& fields);

    int MoveUp(int selected);
    int MoveDown(int selected);
    int Shuffle(int selected);
    // Saves the list without the slot, then moves its stream file to the trash.
    int Delete(int selected);

    // Makes the shuffle order reproducible.
    void seedShuffle(quint64 seed) { random_.seed(seed); }

private:
    bool isSelected(int index) const { return index >= 0 && index < lines_.size(); }
    // index when the reloaded list has such a line, else -1.
    int selectable(qsizetype index) const;

    SongDataContext context_;
    TagRecord& StrTg_;
    SlotList slots_;
    QStringList lines_;
    std::mt19937_64 random_;
    bool lastSaveSucceeded_ = true;
    // songlist.bin as last read or written here.
    QByteArray known_;
};

}  // namespace sonorelle
