#pragma once

#include <QString>

namespace sonorelle {

// One song of a generated game: its stream file and the entry of the song list.
struct DemoSong {
    QString streamName;  // "s700"
    QString artist;
    QString title;
    QString album;
    double seconds = 4.0;
    double rootHz = 440.0;  // the tune is an arpeggio on this note
    // When >= 0 the stream file is this many zero bytes instead of audio: for
    // fixtures where only the length or the tag record matters (the shipped lengths
    // are megabytes; the file is sparse).
    qint64 fillerBytes = -1;
    // False leaves the stream out of the song list (a stream the game does not list).
    bool listed = true;
};

}  // namespace sonorelle
