#pragma once

#include "songdata/AudioFolder.h"
#include "songdata/TextLookup.h"

#include <QString>

namespace sonorelle {

class Feedback;
struct SharedValues;

// What the song data operations need from their caller: the folders start-up found,
// the way to talk to the person and the language texts.
struct SongDataContext {
    const SharedValues& shared;
    Feedback& feedback;
    TextLookup texts;

    AudioFolder audioFolder() const;

    // A critical message under the caption of "msgcap1".
    void reportError(const QString& text) const;
    // The same with the text of a language key.
    void reportKey(const QString& key) const;
    // A stream too short to carry a tag record, named by designation.
    void reportTooShort(const QString& designation) const;
};

}  // namespace sonorelle
