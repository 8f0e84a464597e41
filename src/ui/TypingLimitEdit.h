#pragma once

#include <QLineEdit>

namespace sonorelle {

// A text box whose limit holds for what the person types or pastes, not for what the
// program puts in: a 35-character title read from a file shows whole, and typing can
// shorten it but never make it longer than the limit allows.
class TypingLimitEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TypingLimitEdit(int limit, QWidget* parent = nullptr);

    int typingLimit() const { return limit_; }

private:
    void takeEdit(const QString& edited);

    int limit_;
    QString accepted_;      // the text before the edit being judged
    bool undoing_ = false;  // the edit's own change notice comes after its undo
};

}  // namespace sonorelle
