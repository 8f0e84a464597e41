#pragma once

#include <QString>

namespace sonorelle {

// Copies from into a new file `to` (which must not exist yet), every write checked, so
// a full disk or an unreadable source ends in false and no partial `to` is left.
// *error names the failing file and why.
bool CopyIntoNewFile(const QString& from, const QString& to, QString* error);

// Removes the file when it exists; false with *error set when it stays.
bool RemoveIfPresent(const QString& path, QString* error);

}  // namespace sonorelle
