#pragma once

#include "ui/DrawnGroupBox.h"

#include <QList>
#include <QStringList>

#include <array>

class QLabel;

namespace sonorelle {

class ccXPButton;
class TypingLimitEdit;

// A frame of five tag fields (title, artist, album, year, comment) with their
// captions and a save button; the main window has two, for the song and for the file.
class TagPanel : public DrawnGroupBox {
    Q_OBJECT

public:
    static constexpr int FieldCount = 5;
    // Control names and typing limits in the order title, artist, album, year, comment.
    struct Design {
        const char* frame;
        std::array<const char*, FieldCount> fields;
        std::array<int, FieldCount> limits;
        std::array<const char*, FieldCount> captions;
        const char* save;
    };

    explicit TagPanel(const Design& design, QWidget* parent = nullptr);

    QStringList texts() const;
    // Missing texts empty their fields.
    void setTexts(const QStringList& texts);
    void clear();

    const QList<TypingLimitEdit*>& fields() const { return fields_; }
    ccXPButton* saveButton() const { return save_; }

private:
    QList<TypingLimitEdit*> fields_;
    QList<QLabel*> captions_;
    ccXPButton* save_ = nullptr;
};

}  // namespace sonorelle
