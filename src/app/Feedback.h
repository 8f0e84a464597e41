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

    // A yes/no question. The window asks the person; the command line answers from
    // its options and otherwise says no, so a script never hangs on a prompt.
    virtual bool confirm(const QString& question, const QString& caption) = 0;
};

// Tells nobody and asks nobody: for batch work and benchmarks. Every question is
// answered no.
class SilentFeedback : public Feedback {
public:
    void message(const QString& /*text*/, const QString& /*caption*/, MessageIcon /*icon*/) override {}
    void setStatus(const QString& /*text*/) override {}
    void showProgress() override {}
    void hideProgress() override {}
    void changeProgress(const QString& /*detail*/, double /*done*/, double /*total*/) override {}
    bool cancelRequested() const override { return false; }
    void clearCancel() override {}
    void processEvents() override {}
    bool confirm(const QString& /*question*/, const QString& /*caption*/) override { return false; }
};

}  // namespace sonorelle
