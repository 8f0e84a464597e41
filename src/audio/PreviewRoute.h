#pragma once

#include <QString>

namespace sonorelle {

// How the file preview plays a file, by the last three characters of its name.
enum class PreviewRoute {
    Direct,   // mp3, wav: the player opens the file itself
    Decoded,  // asf, str, sng: decoded to playwav.wav first
    CdTrack,  // cda: the CD unit plays the track
    Nothing,  // mp2, aif, aiff and anything else
};

PreviewRoute PreviewRouteOf(const QString& extension);

}  // namespace sonorelle
