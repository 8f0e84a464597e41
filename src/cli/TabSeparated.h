#pragma once

#include <QString>

namespace sonorelle {

// A value made safe for one field of a tab-separated line: a backslash becomes "\\",
// tab, line feed and carriage return "\t", "\n", "\r", any other control character
// "\xNN". A song list or tag record may hold any of them, and one of them would
// split or shift a script's columns.
QString EscapeField(const QString& value);

}  // namespace sonorelle
