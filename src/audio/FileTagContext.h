#pragma once

#include "songdata/TextLookup.h"

#include <QString>

namespace sonorelle {

class Feedback;

// How the file tag readers and writers talk to the person: the window's or the command
// line's Feedback and the language texts.
struct FileTagContext {
    Feedback& feedback;
    TextLookup texts;

    // The text of a language key, "" when there is none.
    QString text(const QString& key) const;
    // A critical message under the caption of "msgcap1".
    void reportError(const QString& message) const;
    // The same with the text of a language key (the key itself when it has none).
    void reportKey(const QString& key) const;
};

}  // namespace sonorelle
