#pragma once

#include "adding/PlaylistEntry.h"
#include "adding/PlaylistPathResolver.h"

#include <QList>
#include <QStringView>

namespace sonorelle {

// The entries of a PLS playlist ("[playlist]", then FileN=, TitleN=, LengthN= keys), in
// the order of N. NumberOfEntries is not trusted: players get it wrong, the FileN keys
// say what is there. A title that is missing is the path as written.
QList<PlaylistEntry> ParsePlsPlaylist(QStringView text, const PlaylistPathResolver& paths);

}  // namespace sonorelle
