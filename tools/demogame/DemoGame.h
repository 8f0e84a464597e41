#pragma once

#include "demogame/DemoSong.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace sonorelle {

// A complete demo installation of the game below one folder: a Wine prefix whose
// system.reg names the game's folder, the game's folder with its executable
// placeholder, stream files and audio archive holding songlist.bin.
class DemoGame {
public:
    explicit DemoGame(QString root);

    struct Options {
        QList<DemoSong> songs = defaultSongs();
        // Where addon2 lives; the archive is made by running it.
        QString toolDir;
        // Also leave songlist.bin loose in the audio folder, as start-up's extraction
        // leaves it.
        bool looseSongList = false;
    };

    // Six short tunes, s700 to s705, by made-up artists.
    static QList<DemoSong> defaultSongs();
    // count songs "Artist i - Title i" of 64 KiB zero bytes each, for benchmarks where
    // only the list's size matters; streamName(i) names song i.
    static QList<DemoSong> fillerSongs(int count, const std::function<QString(int)>& streamName);

    // Refuses a root that already holds a Wine prefix. False with *error set on failure.
    bool create(const Options& options, QString* error) const;

    const QString& root() const { return root_; }
    QString winePrefix() const;
    QString gameDir() const;   // ends in '/'
    QString audioDir() const;  // ends in '/'
    static QString installDirForWindows();

    // The bytes of the song list that names the listed songs in order.
    static QByteArray songListBytes(const QList<DemoSong>& songs);
    // A stream file for song: an encoded tune, or filler bytes.
    static bool writeStream(const QString& path, const DemoSong& song, QString* error);
    // Runs `addon2 -c archive members...`.
    static bool createArchive(const QString& toolDir, const QString& archive, const QStringList& members,
                              QString* error);

private:
    bool writeWinePrefix(QString* error) const;

    QString root_;
};

}  // namespace sonorelle
