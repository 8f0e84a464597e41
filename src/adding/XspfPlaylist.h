#pragma once

#include "adding/PlaylistEntry.h"
#include "adding/PlaylistPathResolver.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace sonorelle {

// The tracks of an XSPF playlist (XML: playlist/trackList/track with location, title,
// creator and duration in milliseconds) that have a location. The title is "creator -
// title" when the track has both, else its title, else the location as written. When
// the XML breaks off, the tracks before the break are kept and error says where.
QList<PlaylistEntry> ParseXspfPlaylist(QByteArrayView bytes, const PlaylistPathResolver& paths, QString* error);

}  // namespace sonorelle
