#pragma once

#include "platform/CdUnits.h"

namespace sonorelle {

// Whether the unit can be read now: a drive holds a disc whose table of contents
// reads, an image opens with its table of contents. The placeholder never can.
bool CdUnitHoldsDisc(const CdUnit& unit);

}  // namespace sonorelle
