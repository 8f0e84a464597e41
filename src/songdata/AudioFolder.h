#pragma once

#include <QHash>
#include <QString>

#include <memory>

namespace sonorelle {

// The game's audio folder: the song list, the archive and the slot stream files. Their
// names are found without regard to case, as the game under Wine finds them
// ("S700.SNG", "SONGLIST.BIN"); a file that does not exist yet is named as asked.
class AudioFolder {
public:
    // An empty folder (the game was not found) names no file at all, so nothing is
    // ever read from or written to the current or root folder in its place.
    explicit AudioFolder(QString folder);

    const QString& path() const { return folder_; }
    QString songListPath() const;
    QString archivePath() const;
    // The existing entry named so in any case, else folder + name as given.
    QString filePath(const QString& name) const;

    // folder + stream name without outer blanks + ".sng". A name that is empty or
    // holds a path separator names no stream, so a crafted list cannot reach files
    // outside the folder; the result is then "".
    QString streamPath(const QString& streamName) const;
    bool hasStream(const QString& streamName) const;

private:
    // Case-folded name -> name on disk, read once at the first name that is not
    // spelled as on disk; copies share it.
    const QHash<QString, QString>& entries() const;

    QString folder_;
    mutable std::shared_ptr<QHash<QString, QString>> entries_;
};

}  // namespace sonorelle
