#include "support/GameFixture.h"

#include "platform/ToolRunner.h"
#include "songdata/SongListFile.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QProcess>

namespace sonorelle::test {

GameFixture::GameFixture(const QList<DemoSong>& songs)
    : game(root.path())
{
    DemoGame::Options options;
    options.songs = songs;
    options.toolDir = BinDir();
    options.looseSongList = true;
    QString error;
    if (!game.create(options, &error))
        ADD_FAILURE() << "the game fixture could not be made: " << error.toStdString();
    shared.ProgramDir = BinDir();
    shared.GameDir = game.gameDir();
    shared.GameAudioDir = game.audioDir();
    document = std::make_unique<SongListDocument>(shared, feedback, &GameFixture::texts, StrTg);
}

DemoSong GameFixture::song(const QString& streamName, const QString& artist, const QString& title,
                           qint64 fillerBytes)
{
    DemoSong demo;
    demo.streamName = streamName;
    demo.artist = artist;
    demo.title = title;
    demo.album = QStringLiteral("Album");
    demo.fillerBytes = fillerBytes;
    return demo;
}

QList<DemoSong> GameFixture::numberedSongs(int count)
{
    QList<DemoSong> songs;
    for (int i = 1; i <= count; ++i)
        songs.append(song(QStringLiteral("s%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("Artist %1").arg(i),
                          QStringLiteral("Title %1").arg(i)));
    return songs;
}

QByteArray GameFixture::looseList() const
{
    return ReadFile(listPath());
}

QByteArray GameFixture::archivedListOf(const QString& audioDir)
{
    QTemporaryDir out;
    const QString extracted = out.filePath(QStringLiteral("songlist.bin"));
    const RunResult run = RunAndWait(BinDir() + QStringLiteral("/addon2"),
                                     {QStringLiteral("-e"), AudioFolder(audioDir).archivePath(),
                                      QStringLiteral("songlist.bin"), extracted});
    EXPECT_TRUE(run.succeeded()) << run.error.toStdString();
    return ReadFile(extracted);
}

QStringList GameFixture::listedStreams() const
{
    QStringList names;
    for (const SongListRecord& record : SongListFile::decode(looseList()))
        names.append(record.streamName);
    return names;
}

QStringList GameFixture::archiveMembers() const
{
    QProcess addon2;
    addon2.start(BinDir() + QStringLiteral("/addon2"), {QStringLiteral("-l"), AudioFolder(audioDir()).archivePath()});
    EXPECT_TRUE(addon2.waitForFinished());
    QStringList names;
    for (const QString& line : QString::fromUtf8(addon2.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
        names.append(line.section(u'\t', 0, 0));
    return names;
}

void GameFixture::useFailingArchiveTool()
{
    const QString tool = toolDir.filePath(QStringLiteral("addon2"));
    WriteFile(tool, "#!/bin/sh\necho 'addon2: the archive is damaged' >&2\nexit 1\n");
    QFile::setPermissions(tool, QFile::permissions(tool) | QFileDevice::ExeOwner);
    shared.ProgramDir = toolDir.path();
}

QString GameFixture::texts(const QString& key)
{
    static const QHash<QString, QString> known = {
        {QStringLiteral("msg4"), QStringLiteral("msg4")},
        {QStringLiteral("msg6"), QStringLiteral("msg6")},
        {QStringLiteral("msgcap1"), QStringLiteral("msgcap1")},
        {QStringLiteral("msg9_1"), QStringLiteral("Stream ")},
        {QStringLiteral("msg9_2"), QStringLiteral(" too short")},
    };
    return known.value(key);
}

}  // namespace sonorelle::test
