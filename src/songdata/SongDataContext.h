#pragma once

#include "songdata/AudioFolder.h"
#include "songdata/TextLookup.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace sonorelle {

class Feedback;
class TagRecord;
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

    // The record's bytes in the tag code page; when a text cannot be stored in it, says
    // which field and the setting that chooses the code page, and gives nullopt.
    std::optional<QByteArray> encodeTagRecord(const TagRecord& record) const;
};

}  // namespace sonorelle
