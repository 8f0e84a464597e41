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

// A generated game in a temporary folder (song list loose in the audio folder, as
// start-up leaves it), the real addon2 as the archive tool, and a song list document
// over it.
class GameFixture {
public:
    // Songs with small filler streams unless their fillerBytes/seconds say otherwise.
    explicit GameFixture(const QList<DemoSong>& songs);

    static DemoSong song(const QString& streamName, const QString& artist = QStringLiteral("Artist"),
                         const QString& title = QStringLiteral("Title"), qint64 fillerBytes = 1000);
    // n songs s01..sNN, artist "Artist i", title "Title i".
    static QList<DemoSong> numberedSongs(int count);

    QString audioDir() const { return game.audioDir(); }
    QString streamPath(const QString& name) const;
    QByteArray looseList() const;
    // The song list as the archive holds it, taken out with addon2 -e.
    QByteArray archivedList() const { return archivedListOf(audioDir()); }
    static QByteArray archivedListOf(const QString& audioDir);
    QStringList listedStreams() const;  // stream names of the loose list, in order
    void writeLooseList(const QByteArray& bytes) const;

    // ProgramDir: a folder whose addon2 ends with exit code 1.
    void useFailingArchiveTool();

    // The language keys of an older language file: msg4, msg6 and msgcap1 read as
    // their key, msg9 as "Stream " + name + " too short"; newer keys are missing.
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
