#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace sonorelle {

// The windows whose captions come from a language file, in the order they get them.
enum class LanguageWindow { Main, Progress, Setup, About, Playlist };

// One caption: the control (by objectName; empty for the window's own title) of a
// window that shows the text of a "Translate" key, with a colon after it for the
// field captions.
struct CaptionEntry {
    LanguageWindow window;
    QString control;
    QString key;
    bool withColon = false;
};

// Which text of a language file goes where. Kept as data so that the windows, the
// shipped language files and their tests all work from one list.
class LanguageTable {
public:
    // Every caption, window by window in the order of windows().
    static const QList<CaptionEntry>& captions();

    static const QList<LanguageWindow>& windows();

    // The tooltips, in the same form: the control shows its key's text when pointed at.
    static const QList<CaptionEntry>& toolTips();

    // The objectName of a window ("Form1", "frmAbout", ...).
    static QString windowName(LanguageWindow window);

    // The keys read when they are needed rather than shown as captions: message
    // texts, their title, the status lines, and the splash line's middle part.
    static const QStringList& keptKeys();

    // Every key the program reads from "Translate": the captions', the tooltips', then
    // the kept ones.
    static const QStringList& allKeys();
};

}  // namespace sonorelle
