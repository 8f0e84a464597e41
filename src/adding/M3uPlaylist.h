#pragma once

#include "adding/PlaylistEntry.h"
#include "adding/PlaylistPathResolver.h"

#include <QList>
#include <QStringView>

namespace sonorelle {

// The entries of an M3U playlist, plain (one path a line) or extended (an "#EXTINF:
// seconds,title" line before the path it describes). Blank lines, the "#EXTM3U" header
// and other "#" lines are not entries; an "#EXTINF" line that no path follows is dropped.
QList<PlaylistEntry> ParseM3uPlaylist(QStringView text, const PlaylistPathResolver& paths);

}  // namespace sonorelle
