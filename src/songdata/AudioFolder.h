#pragma once

#include <QString>

namespace sonorelle {

// The game's audio folder: the song list, the archive and the slot stream files.
class AudioFolder {
public:
    // An empty folder (the game was not found) names no file at all, so nothing is
    // ever read from or written to the current or root folder in its place.
    explicit AudioFolder(QString folder);

    const QString& path() const { return folder_; }
    QString songListPath() const;
    QString archivePath() const;
    QString filePath(const QString& name) const;

    // folder + stream name without outer blanks + ".sng". A name that is empty or
    // holds a path separator names no stream, so a crafted list cannot reach files
    // outside the folder; the result is then "".
    QString streamPath(const QString& streamName) const;
    bool hasStream(const QString& streamName) const;

private:
    QString folder_;
};

}  // namespace sonorelle
