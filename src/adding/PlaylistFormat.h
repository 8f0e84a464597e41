#pragma once

#include <QStringView>

namespace sonorelle {

enum class PlaylistFormat { M3u, Pls, Xspf };

// The format the text is written in, by its first non-blank characters and not by
// the file's extension: players save whatever they like under ".m3u".
PlaylistFormat SniffPlaylistFormat(QStringView text);

}  // namespace sonorelle
