#pragma once

#include <QString>

namespace sonorelle {

// The five tag fields shown for the selected slot. The window's text boxes and the
// command line hold the same limits because the core applies them.
struct SlotTagFields {
    static constexpr qsizetype TextLimit = 20;
    static constexpr qsizetype YearLimit = 4;

    QString title;
    QString artist;
    QString album;
    QString date;
    QString comment;

    // Every field cut to its limit (20 characters, the year 4).
    SlotTagFields limited() const;

    bool operator==(const SlotTagFields&) const = default;
};

// The five fields empty: what the slot click shows before (or instead of) a tag.
SlotTagFields ClearSlotTagBoxes();

}  // namespace sonorelle
