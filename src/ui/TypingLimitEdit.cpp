#include "ui/TypingLimitEdit.h"

namespace sonorelle {

TypingLimitEdit::TypingLimitEdit(int limit, QWidget* parent)
    : QLineEdit(parent)
    , limit_(limit)
{
    // A person's edit is announced by textEdited before textChanged; setText only by
    // textChanged. (A validator would not do: setText is validated too, and a text
    // the program put in past the limit would leave the box accepting anything.)
    connect(this, &QLineEdit::textEdited, this, &TypingLimitEdit::takeEdit);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (undoing_)
            undoing_ = false;
        else
            accepted_ = text;
    });
}

void TypingLimitEdit::takeEdit(const QString& edited)
{
    if (edited.size() <= limit_ || edited.size() <= accepted_.size())
        return;
    const int cursor = cursorPosition() - static_cast<int>(edited.size() - accepted_.size());
    setText(accepted_);
    setCursorPosition(std::max(cursor, 0));
    undoing_ = true;
}

}  // namespace sonorelle
