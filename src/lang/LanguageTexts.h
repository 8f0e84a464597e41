#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace sonorelle {

struct CaptionEntry;

// The interface texts of the applied language file: every key of its "Translate"
// section, looked up without regard to case. Before a file is loaded, and for a key
// the file lacks or leaves empty, the text is empty.
class LanguageTexts {
public:
    // Every key the program reads from a language file's "Translate" section.
    static const QStringList& keys();

    // Replaces the texts by those of languageFile; a missing or unreadable file
    // leaves every text empty.
    void load(const QString& languageFile);

    const QString& file() const { return file_; }
    QString text(const QString& key) const;

    // What a caption shows: its key's text, with a colon after a field caption.
    QString caption(const CaptionEntry& entry) const;

    // The key's text, or fallback when the applied file leaves it empty: used for the
    // few messages that must be readable even before any language file is applied
    // (the program ends after them, so an empty box would leave the person guessing).
    QString textOr(const QString& key, const QString& fallback) const;

    // Title of the program's message boxes (msgcap1) and the start of the
    // missing-file messages (msg8_1), with English standing in for empty texts.
    QString messageCaption() const;
    QString missingFileText() const;

private:
    QString file_;
    QHash<QString, QString> texts_;  // by case-folded key
};

}  // namespace sonorelle
