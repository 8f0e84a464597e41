#pragma once

#include <QString>

namespace sonorelle {

// A Windows path ("C:\Games\Kickvale 09") translated into the Wine prefix through
// dosdevices/<drive>: -> its target, each component matched without regard to case
// as Wine does. A Unix path is returned as it is.
QString TranslateWindowsPath(const QString& path, const QString& winePrefix);

// The entry of folder that Wine would open for name: the exact spelling first,
// else the first whose name differs only in case; "" when there is none.
QString EntryOnDisk(const QString& folder, const QString& name);

// Joins with exactly one '/' between the parts.
QString JoinPath(const QString& folder, const QString& name);

}  // namespace sonorelle
