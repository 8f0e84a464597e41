#pragma once

#include "app/Operation.h"
#include "audio/StreamDecoder.h"
#include "songdata/TextLookup.h"

namespace sonorelle {

class PreviewPlayer;
struct SharedValues;

// Plays a game stream: decodes it into playwav.wav under the progress window's sost2
// text, then plays the WAV. A decoder that fails or is cancelled plays nothing.
class PreviewOperation : public Operation {
public:
    PreviewOperation(const SharedValues& shared, TextLookup texts, PreviewPlayer& player, QString stream,
                     StreamDecoder::TagRecordCut cut);

    OperationResult run(Feedback& feedback) override;

    // What the last run decoded, for the caller that wants the work files.
    const StreamDecoder::Result& decoded() const { return decoded_; }

private:
    const SharedValues& shared_;
    TextLookup texts_;
    PreviewPlayer& player_;
    QString stream_;
    StreamDecoder::TagRecordCut cut_;
    StreamDecoder::Result decoded_;
};

}  // namespace sonorelle
