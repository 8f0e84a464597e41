#pragma once

#include "adding/AddRun.h"
#include "songdata/GameFixture.h"

#include <QTemporaryDir>

#include <memory>

namespace sonorelle::test {

// A generated game with the real tools, a work folder, a folder of source files made
// by real encoders at test time, and an add run over them.
class AddFixture {
public:
    explicit AddFixture(const QList<DemoSong>& songs = GameFixture::numberedSongs(2));

    // A tone of `seconds` made by sox in the sources folder: name's extension picks the
    // container, soxOptions the sample rate, width and channels.
    QString tone(const QString& name, const QStringList& soxOptions = {}, double seconds = 1.0);
    // lame's MP3 of a one-second tone, with lame's tag options.
    QString lameMp3(const QString& name, const QStringList& lameOptions = {}, double seconds = 1.0);
    // ffmpeg's MP2 of a one-second tone.
    QString mp2(const QString& name);
    // A game stream of a one-second tone made by addon3, with `record` appended.
    QString stream(const QString& name, const QByteArray& record = {});
    QString source(const QString& name) const { return sources.filePath(name); }

    OperationResult add(const QStringList& files);
    const AddReport& report() const { return run->report(); }

    // The records of the loose song list, and whether the archive holds the same list.
    QList<SongListRecord> listed() const;
    // Every file of the audio folder, hidden ones included.
    QStringList audioFiles() const;
    // Seconds of audio in a game stream, decoded by addon3 -wave and read by libsndfile.
    static double streamSeconds(const QString& path);

    // A 128-byte trailing record with these texts.
    static QByteArray record(const QByteArray& title, const QByteArray& artist, const QByteArray& album = {},
                             const QByteArray& year = {}, const QByteArray& comment = {});

    QTemporaryDir sources;
    QTemporaryDir work;
    GameFixture game;
    std::unique_ptr<AddRun> run;
};

}  // namespace sonorelle::test
