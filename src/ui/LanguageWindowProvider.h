#pragma once

#include "lang/LanguageTable.h"

class QWidget;

namespace sonorelle {

// Hands the windows of the program to ApplyLanguage. The main window implements it:
// it owns the other windows and decides when each is built.
class LanguageWindowProvider {
public:
    virtual ~LanguageWindowProvider() = default;

    // The window, built without being shown when it does not exist yet; nullptr for a
    // window the program does not have.
    virtual QWidget* languageWindow(LanguageWindow window) = 0;
};

}  // namespace sonorelle
