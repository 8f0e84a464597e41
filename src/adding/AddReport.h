#pragma once

#include <QList>
#include <QString>

namespace sonorelle {

// A song the add run put into the game, as the song list shows it after the run.
struct AddedSong {
    QString source;
    int index = -1;      // its line in the song list box, as `list` numbers it
    QString streamName;  // "s05": the stream file is the audio folder + name + ".sng"
    QString line;        // its line in the song list box
};

// A source the add run did not turn into a song, and why.
struct AddProblem {
    enum class Kind {
        Skipped,       // not a type that can be added
        Failed,        // tried; nothing of it was kept
        NotProcessed,  // the run ended (too short a file, no CD track, Cancel) before it
    };

    QString source;
    Kind kind = Kind::Failed;
    QString reason;

    // "source: reason", one line for a message or stderr.
    QString text() const { return source + QStringLiteral(": ") + reason; }
};

struct AddReport {
    QList<AddedSong> added;
    QList<AddProblem> problems;
    // False when the run ended early (nothing to add, a file too short, no CD track,
    // Cancel): the window then keeps its "LastWorkDir" as it was.
    bool ranToEnd = false;
    // The run ended at a CD track that read as next to nothing, which a wrong CD unit
    // for ripping gives: the window then opens the Setup to choose another.
    bool wrongCdDrive = false;
};

}  // namespace sonorelle
