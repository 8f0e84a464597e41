#pragma once

#include <QString>

namespace sonorelle {

// Whether this user may change the file: write it as it is, or, as its owner (or as
// root), clear its read-only mark first. False when the file cannot be looked at.
bool UserMayModifyFile(const QString& path);

}  // namespace sonorelle
