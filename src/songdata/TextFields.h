#pragma once

#include <QString>

namespace sonorelle {

// The first `count` characters of text; a surrogate pair is never split, so the
// result may be one unit shorter.
QString LeftChars(const QString& text, qsizetype count);

// Leading and trailing blanks removed (blanks only: tabs and line breaks are text).
QString TrimBlanks(const QString& text);

// Trailing blanks removed.
QString TrimTrailingBlanks(const QString& text);

// Padded with blanks to width, or cut to it.
QString FixedWidth(const QString& text, qsizetype width);

}  // namespace sonorelle
