#pragma once

#include "app/Feedback.h"

#include <QTextStream>

namespace sonorelle {

// Feedback for the command line: every message goes to stderr as "caption: text";
// status lines and progress only with --verbose, so scripts see just what matters.
class ConsoleFeedback : public Feedback {
public:
    // assumeYes answers every question yes (--yes); without it each is answered no.
    explicit ConsoleFeedback(bool verbose, bool assumeYes = false);

    void message(const QString& text, const QString& caption, MessageIcon icon) override;
    void setStatus(const QString& text) override;
    void showProgress() override;
    void hideProgress() override;
    void changeProgress(const QString& detail, double done, double total) override;
    // Nobody can press Cancel: Ctrl+C ends the program, and the tools it runs replace
    // their outputs whole or not at all.
    bool cancelRequested() const override;
    void clearCancel() override;
    void processEvents() override;
    bool confirm(const QString& question, const QString& caption) override;

private:
    QTextStream err_;
    bool verbose_;
    bool assumeYes_;
};

}  // namespace sonorelle
