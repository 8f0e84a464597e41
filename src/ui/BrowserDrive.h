#pragma once

#include "platform/CdUnits.h"

#include <QString>

namespace sonorelle {

// One entry of the file browser's drive list: the home folder, a mounted volume or
// a CD unit.
struct BrowserDrive {
    enum class Kind { Home, Volume, CdUnit };

    Kind kind = Kind::Volume;
    QString name;  // as the list shows it and messages name it
    QString root;  // the folder the folder list opens at; "" for a CD unit with nothing mounted
    CdUnit cd;     // Kind::CdUnit only

    // Whether the drive can be shown now: a volume mounted and readable, a CD unit
    // holding a disc (or an image with all its files).
    bool isReady() const;
    // Why a disc image cannot be read, in words for the person; "" otherwise.
    QString problem() const;
};

}  // namespace sonorelle
