#pragma once

#include <QString>

namespace sonorelle {

enum class MessageIcon { None, Information, Question, Warning, Critical };

// Everything a core operation tells or asks the person goes through here. The main
// window implements it with message boxes and the progress window, the command line
// with stderr, and tests with a recorder, so no algorithm needs a display.
class Feedback {
public:
    virtual ~Feedback() = default;

    virtual void message(const QString& text, const QString& caption, MessageIcon icon) = 0;

    // The progress window: status line, caption/bar/detail, visibility.
    virtual void setStatus(const QString& text) = 0;
    virtual void showProgress() = 0;
    virtual void hideProgress() = 0;
    virtual void changeProgress(const QString& detail, double done, double total) = 0;

    // Cancel of the progress window; an operation polls it between steps.
    virtual bool cancelRequested() const = 0;
    virtual void clearCancel() = 0;

    // Lets pending window events run during a long step.
    virtual void processEvents() = 0;
};

}  // namespace sonorelle
