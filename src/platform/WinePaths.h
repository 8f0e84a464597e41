#pragma once

#include <QString>

namespace sonorelle {

// A Windows path ("C:\Games\Kickvale 09") translated into the Wine prefix through
// dosdevices/<drive>: -> its target, each component matched without regard to case
// as Wine does. A Unix path is returned as it is.
QString TranslateWindowsPath(const QString& path, const QString& winePrefix);

// Joins with exactly one '/' between the parts.
QString JoinPath(const QString& folder, const QString& name);

}  // namespace sonorelle
