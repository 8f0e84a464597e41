#pragma once

#include "app/Feedback.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace sonorelle::test {

// A Feedback that remembers what an operation told the person, for assertions.
class RecordingFeedback : public Feedback {
public:
    struct Message {
        QString text;
        QString caption;
        MessageIcon icon;
    };

    void message(const QString& text, const QString& caption, MessageIcon icon) override
    {
        messages.append({text, caption, icon});
    }
    void setStatus(const QString& text) override { statuses.append(text); }
    void showProgress() override { progressVisible = true; }
    void hideProgress() override { progressVisible = false; }
    void changeProgress(const QString& detail, double done, double total) override
    {
        progress.append({detail, done, total});
    }
    bool cancelRequested() const override { return cancelWhen ? cancelWhen() : cancel; }
    void clearCancel() override { cancel = false; }
    void processEvents() override {}
    bool confirm(const QString& /*question*/, const QString& /*caption*/) override { return answer; }

    struct Progress {
        QString detail;
        double done;
        double total;
    };

    QList<Message> messages;
    QStringList statuses;
    QList<Progress> progress;
    bool progressVisible = false;
    bool cancel = false;
    std::function<bool()> cancelWhen;  // when set, decides cancelRequested()
    bool answer = false;  // what confirm() answers
};

}  // namespace sonorelle::test
