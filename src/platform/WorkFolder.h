#pragma once

#include <QString>

namespace sonorelle {

// The private work folder ($XDG_CACHE_HOME/sonorelle/temp), created with mode 0700.
// Returns the folder without a trailing '/', or "" with *error set when it cannot be
// made or is unsafe (a symbolic link, or owned by another user).
QString PrepareTempDir(QString* error);

// The private folder for the program's sockets and locks: $XDG_RUNTIME_DIR/sonorelle,
// or $XDG_CACHE_HOME/sonorelle/runtime when the session has no runtime folder. Same
// checks and results as PrepareTempDir.
QString PrepareRuntimeDir(QString* error);

// Makes folder (its parent as needed) with mode 0700 and checks that it is a real
// folder of this user's.
QString PreparePrivateFolder(const QString& folder, QString* error);

}  // namespace sonorelle
