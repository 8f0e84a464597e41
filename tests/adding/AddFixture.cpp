#include "AddFixture.h"

#include "platform/ToolRunner.h"
#include "songdata/SongListFile.h"
#include "support/Mp3Files.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QRegularExpression>

#include <sndfile.h>

namespace sonorelle::test {

AddFixture::AddFixture(const QList<DemoSong>& songs)
    : game(songs)
{
    game.shared.TempDir = work.path();
    game.document->NameExpert();
}

QString AddFixture::tone(const QString& name, const QStringList& soxOptions, double seconds)
{
    RunTool(S("sox"), QStringList{S("-n")} + soxOptions
                          + QStringList{source(name), S("synth"), QString::number(seconds), S("sine"), S("440")});
    return source(name);
}

QString AddFixture::made(const QString& name, const QString& program, QStringList arguments, double seconds)
{
    const QString wav = tone(name + S(".wav"), Args({"-r", "44100", "-c", "2"}), seconds);
    arguments.replaceInStrings(QRegularExpression(S("^IN$")), wav);
    arguments.replaceInStrings(QRegularExpression(S("^OUT$")), source(name));
    RunTool(program, arguments);
    return source(name);
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
    const QString wav = out.filePath(S("decoded.wav"));
    EXPECT_TRUE(RunAndWait(BinDir() + S("/addon3"), {S("-wave"), path, S("="), wav}).succeeded());
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(wav).constData(), SFM_READ, &info);
    if (!file)
        return -1;
    sf_close(file);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.channels, 2);
    return static_cast<double>(info.frames) / info.samplerate;
}

}  // namespace sonorelle::test
