#pragma once

#include "app/Operation.h"
#include "songdata/SlotTagFields.h"
#include "songdata/TextLookup.h"

namespace sonorelle {

class SongListDocument;
struct SharedValues;

// Turns a song back into an MP3 file: addon3 decodes its stream, addon1 encodes it
// with its CD preset, the MP3 gets an ID3v2.4 tag in UTF-8 and the slot's tag record
// (comment "Sonorelle"; the list entry takes title, artist and album), and is copied
// to the destination under a temporary name that is renamed when complete. A failed
// step ends the export with a message naming it and leaves the destination as it was.
class ExportOperation : public Operation {
public:
    // destination as chosen; ".mp3" is appended when it lacks it.
    ExportOperation(const SharedValues& shared, TextLookup texts, SongListDocument& document, int slot,
                    SlotTagFields fields, const QString& destination);

    static QString WithMp3Extension(const QString& chosen);

    OperationResult run(Feedback& feedback) override;
    int songSlot() const override { return slot_; }
    void setSongSlot(int slot) override { slot_ = slot; }

    const QString& destination() const { return destination_; }

private:
    const SharedValues& shared_;
    TextLookup texts_;
    SongListDocument& document_;
    int slot_;
    SlotTagFields fields_;
    QString destination_;
};

}  // namespace sonorelle
