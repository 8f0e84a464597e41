#pragma once

#include <QString>

namespace sonorelle {

// Copies length bytes from start of source into destination (its whole new content).
// A length of 0, or one beyond the end, takes everything from start and is set to 0.
// Nothing is written when start is not inside the source. The destination is written
// under a temporary name and renamed; false when reading or writing fails.
bool CopyFileSection(const QString& source, const QString& destination, qint64 start, qint64& length);

}  // namespace sonorelle
