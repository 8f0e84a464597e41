#pragma once

#include <QString>

namespace sonorelle {

// One song of a playlist: what the player shows, where the file is, how long it plays.
struct PlaylistEntry {
    QString title;
    QString file;
    int seconds = 0;
};

}  // namespace sonorelle
