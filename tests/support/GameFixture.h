#pragma once

#include "app/SharedValues.h"
#include "demogame/DemoGame.h"
#include "songdata/SongListDocument.h"
#include "songdata/SongListRecord.h"
#include "songdata/TagRecord.h"
#include "support/RecordingFeedback.h"

#include <QTemporaryDir>

#include <memory>

namespace sonorelle::test {

// A generated game in a temporary folder with its song list loose in the audio folder
// (as start-up leaves it), the real addon2, and a song list document over it.
class GameFixture {
public:
    explicit GameFixture(const QList<DemoSong>& songs);

    static DemoSong song(const QString& streamName, const QString& artist = QStringLiteral("Artist"),
                         const QString& title = QStringLiteral("Title"), qint64 fillerBytes = 1000);
    // s01..sNN with "Artist i" and "Title i".
    static QList<DemoSong> numberedSongs(int count);

    QString audioDir() const { return game.audioDir(); }
    // The files as the program finds them, in any case.
    QString streamPath(const QString& name) const { return AudioFolder(audioDir()).streamPath(name); }
    QString listPath() const { return AudioFolder(audioDir()).songListPath(); }
    QByteArray looseList() const;
    QByteArray archivedList() const { return archivedListOf(audioDir()); }
    // The song list taken out of the archive with addon2 -e.
    static QByteArray archivedListOf(const QString& audioDir);
    QStringList listedStreams() const;  // of the loose list, in order
    // The member names of the archive as addon2 -l lists them.
    QStringList archiveMembers() const;

    // ProgramDir becomes a folder whose addon2 fails with exit code 1.
    void useFailingArchiveTool();

    // An older language file: msg4, msg6, msgcap1 read as their key, msg9 as
    // "Stream <name> too short"; newer keys are missing.
    static QString texts(const QString& key);

    QTemporaryDir root;
    QTemporaryDir toolDir;
    DemoGame game;
    SharedValues shared;
    RecordingFeedback feedback;
    TagRecord StrTg;
    std::unique_ptr<SongListDocument> document;
};

}  // namespace sonorelle::test
