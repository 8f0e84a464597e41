#pragma once

#include <QString>
#include <QStringView>

namespace sonorelle {

// Turns the paths a playlist holds into paths on this machine. A playlist written on
// Windows names its songs by drive letter ("C:\Music\a.mp3", looked up in the Wine
// prefix) or relative to its own folder with either separator; players on Linux write
// Unix paths or file:// URIs. Other URIs (http://...) are kept as written.
class PlaylistPathResolver {
public:
    PlaylistPathResolver(QString playlistFolder, QString winePrefix);

    // A path as an M3U or PLS line writes it.
    QString resolve(QStringView written) const;

    // An XSPF location: a URI, or a URI reference relative to the playlist.
    QString resolveLocation(QStringView location) const;

private:
    QString fromFileUri(QStringView uri) const;
    QString fromLocalPath(QStringView path) const;

    QString folder_;
    QString winePrefix_;
};

}  // namespace sonorelle
