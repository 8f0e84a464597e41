#pragma once

#include <QString>

namespace sonorelle {

// A Windows path ("C:\Games\Kickvale 09") translated into the Wine prefix through
// dosdevices/<drive>: -> its target, each component matched without regard to case
// as Wine does. A Unix path is returned as it is.
QString TranslateWindowsPath(const QString& path, const QString& winePrefix);

// The path of folder's entry that Wine opens for name: the exact spelling when it
// exists, else the first entry whose name differs from it only in case; when there is
// none, folder and name joined as given (the spelling a new file gets).
QString PathIgnoringCase(const QString& folder, const QString& name);
// The entry of folder that Wine would open for name: the exact spelling first,
// else the first whose name differs only in case; "" when there is none.
QString EntryOnDisk(const QString& folder, const QString& name);

// Joins with exactly one '/' between the parts.
QString JoinPath(const QString& folder, const QString& name);

}  // namespace sonorelle
