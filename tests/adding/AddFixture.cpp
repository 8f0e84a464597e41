#include "AddFixture.h"

#include "platform/ToolRunner.h"
#include "songdata/SongListFile.h"
#include "support/FileBytes.h"
#include "support/Mp3Files.h"
#include "support/TestEnvironment.h"

#include <QDir>

#include <sndfile.h>

namespace sonorelle::test {

namespace {

QByteArray field(const QByteArray& text, qsizetype width)
{
    return text.leftJustified(width, ' ', true);
}

}  // namespace

AddFixture::AddFixture(const QList<DemoSong>& songs)
    : game(songs)
{
    game.shared.TempDir = work.path();
    // As start-up leaves it: the list loaded, its free entry last.
    game.document->NameExpert();
}

QString AddFixture::tone(const QString& name, const QStringList& soxOptions, double seconds)
{
    const QString path = source(name);
    RunTool(QStringLiteral("sox"), QStringList{QStringLiteral("-n")} + soxOptions
                                       + QStringList{path, QStringLiteral("synth"), QString::number(seconds),
                                                     QStringLiteral("sine"), QStringLiteral("440")});
    return path;
}

QString AddFixture::lameMp3(const QString& name, const QStringList& lameOptions, double seconds)
{
    const QString wav = tone(name + QStringLiteral(".wav"), Args({"-r", "44100", "-c", "2"}), seconds);
    const QString path = source(name);
    RunTool(QStringLiteral("lame"), QStringList{QStringLiteral("--quiet")} + lameOptions + QStringList{wav, path});
    return path;
}

QString AddFixture::mp2(const QString& name)
{
    const QString wav = tone(name + QStringLiteral(".wav"), Args({"-r", "44100", "-c", "2"}));
    const QString path = source(name);
    RunTool(QStringLiteral("ffmpeg"), QStringList{QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"),
                                                  wav, QStringLiteral("-c:a"), QStringLiteral("mp2"), path});
    return path;
}

QString AddFixture::stream(const QString& name, const QByteArray& record)
{
    const QString wav = tone(name + QStringLiteral(".wav"), Args({"-r", "44100", "-c", "2"}));
    const QString path = source(name);
    RunTool(BinDir() + QStringLiteral("/addon3"), {QStringLiteral("-pcstream"), wav, QStringLiteral("="), path});
    AppendToFile(path, record);
    return path;
}

OperationResult AddFixture::add(const QStringList& files)
{
    run = std::make_unique<AddRun>(*game.document, game.shared, &GameFixture::texts, files);
    return run->run(game.feedback);
}

QList<SongListRecord> AddFixture::listed() const
{
    EXPECT_EQ(game.looseList(), game.archivedList());
    return SongListFile::decode(game.looseList());
}

QStringList AddFixture::audioFiles() const
{
    return QDir(game.audioDir()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

double AddFixture::streamSeconds(const QString& path)
{
    QTemporaryDir out;
    const QString wav = out.filePath(QStringLiteral("decoded.wav"));
    const RunResult decoded = RunAndWait(BinDir() + QStringLiteral("/addon3"),
                                         {QStringLiteral("-wave"), path, QStringLiteral("="), wav});
    EXPECT_TRUE(decoded.succeeded()) << decoded.error.toStdString();
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(wav).constData(), SFM_READ, &info);
    if (!file)
        return -1;
    sf_close(file);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.channels, 2);
    return static_cast<double>(info.frames) / info.samplerate;
}

QByteArray AddFixture::record(const QByteArray& title, const QByteArray& artist, const QByteArray& album,
                              const QByteArray& year, const QByteArray& comment)
{
    return "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field(year, 4) + field(comment, 30)
           + '\x0c';
}

}  // namespace sonorelle::test
