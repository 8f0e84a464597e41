#pragma once

namespace sonorelle {

// The look a push button shows; the numbers index the colour table.
enum class XPButtonState { Disabled = 0, Normal = 1, Focused = 2, Hot = 3, Pressed = 4 };

}  // namespace sonorelle
