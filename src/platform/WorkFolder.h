#pragma once

#include <QString>

namespace sonorelle {

// The private work folder ($XDG_CACHE_HOME/sonorelle/temp), created with mode 0700.
// Returns the folder without a trailing '/', or "" with *error set when it cannot be
// made or is unsafe (a symbolic link, or owned by another user).
QString PrepareTempDir(QString* error);

}  // namespace sonorelle
