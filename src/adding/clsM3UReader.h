#pragma once

#include "adding/PlaylistEntry.h"
#include "adding/PlaylistText.h"

#include <QList>
#include <QString>

namespace sonorelle {

// The playlist window's reader: set the file with setFilename, read it with Refresh,
// then ask for entries 0 to Count() - 1. Reads M3U and M3U8, PLS and XSPF, told apart
// by content. Windows paths in a playlist are looked up in the Wine prefix given here;
// text that is not UTF-8 goes through the fallback decoder.
class clsM3UReader {
public:
    explicit clsM3UReader(QString winePrefix, PlaylistTextDecoder fallbackDecoder = DecodeLatin1Playlist);

    // Nothing is read until the next Refresh.
    void setFilename(const QString& path);
    QString Filename() const;

    // Reads the playlist anew and returns Count(). A file that cannot be read leaves no
    // entries; ReadError() then says why.
    int Refresh();
    int Count() const;

    // The entry's full path, its title and its length; "", "" and 0 for an index
    // outside 0 .. Count() - 1.
    QString File(int index) const;
    QString FileTitle(int index) const;
    int FileSeconds(int index) const;

    // Why the last Refresh found less than the file holds: it could not be opened or
    // read, or its XML broke off. Empty when all went well.
    QString ReadError() const;

private:
    const PlaylistEntry* entryAt(int index) const;

    QString winePrefix_;
    PlaylistTextDecoder fallbackDecoder_;
    QString path_;
    QList<PlaylistEntry> entries_;
    QString readError_;
};

}  // namespace sonorelle
