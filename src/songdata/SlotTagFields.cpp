#include "songdata/SlotTagFields.h"

#include "songdata/TextFields.h"

namespace sonorelle {

SlotTagFields SlotTagFields::limited() const
{
    return {LeftChars(title, TextLimit), LeftChars(artist, TextLimit), LeftChars(album, TextLimit),
            LeftChars(date, YearLimit), LeftChars(comment, TextLimit)};
}

SlotTagFields ClearSlotTagBoxes()
{
    return {};
}

}  // namespace sonorelle
