#pragma once

#include "lang/LanguageTable.h"

class QWidget;

namespace sonorelle {

class LanguageTexts;
class LanguageWindowProvider;

// Sets every caption of every window from texts, which already hold the chosen
// language file, window by window; windows are asked for (and so built) in that
// order. A window or control the program does not have yet is passed over.
void ApplyLanguage(const LanguageTexts& texts, LanguageWindowProvider& windows);

// The captions of one window: for a window built after a language was applied.
void ApplyWindowCaptions(const LanguageTexts& texts, LanguageWindow which, QWidget& window);

}  // namespace sonorelle
