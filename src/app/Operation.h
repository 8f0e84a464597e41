#pragma once

#include <QString>
#include <QStringList>

namespace sonorelle {

class Feedback;

// How a long operation ended, in words the person can act on.
struct OperationResult {
    enum class Outcome {
        Done,       // everything it was asked to do
        Partly,     // some items done, others failed or were skipped (listed in problems)
        Failed,     // nothing done; problems says why
        Cancelled,  // the person pressed Cancel; what was finished before stays
        Refused,    // another operation was running; nothing was touched
    };

    Outcome outcome = Outcome::Done;
    QString summary;       // one line for the status line or stderr
    QStringList problems;  // one line per item that failed or was skipped

    bool succeeded() const { return outcome == Outcome::Done; }
};

// A long piece of work (adding, exporting, ripping, decoding for a preview, a list
// edit with its put-back into the archive). It tells and asks the person only through
// Feedback, honours feedback.cancelRequested() between its steps (and hands it to
// every tool run), and says at its end what it did.
class Operation {
public:
    virtual ~Operation() = default;
    virtual OperationResult run(Feedback& feedback) = 0;

    // The song list entry the operation works on, -1 for none. When another program
    // changed the list since it was shown, the session moves this to the same song.
    virtual int songSlot() const { return -1; }
    virtual void setSongSlot(int /*slot*/) {}
};

}  // namespace sonorelle
