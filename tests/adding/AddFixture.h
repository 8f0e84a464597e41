#pragma once

#include "adding/AddRun.h"
#include "support/GameFixture.h"

#include <QTemporaryDir>

#include <memory>

namespace sonorelle::test {

// A generated game (its list loaded, as start-up leaves it) with the real tools, a work
// folder, source files made by real encoders at test time, and an add run over them.
class AddFixture {
public:
    explicit AddFixture(const QList<DemoSong>& songs = GameFixture::numberedSongs(2));

    // A tone by sox; the options pick rate, width, channels and type.
    QString tone(const QString& name, const QStringList& soxOptions = {}, double seconds = 1.0);
    // A stereo tone turned into `name` by program, whose arguments name it IN and OUT.
    QString made(const QString& name, const QString& program, QStringList arguments, double seconds = 1.0);
    QString source(const QString& name) const { return sources.filePath(name); }

    OperationResult add(const QStringList& files);
    const AddReport& report() const { return run->report(); }

    // The loose song list's records; the archive must hold the same list.
    QList<SongListRecord> listed() const;
    // Every file of the audio folder, hidden ones included.
    QStringList audioFiles() const;
    // Seconds of audio in a game stream, decoded by addon3 -wave, read by libsndfile.
    static double streamSeconds(const QString& path);

    QTemporaryDir sources;
    QTemporaryDir work;
    GameFixture game;
    std::unique_ptr<AddRun> run;
};

}  // namespace sonorelle::test
