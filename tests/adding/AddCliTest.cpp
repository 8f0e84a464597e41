#include "support/CliFixture.h"

#include "songdata/SongListFile.h"
#include "support/FileBytes.h"
#include "support/Mp3Files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <chrono>
#include <random>
#include <thread>

namespace sonorelle::test {
namespace {

constexpr int KillRuns = 30;

class AddCli : public CliFixture {
protected:
    QString mp3(const QString& name, const QStringList& lameOptions = {})
    {
        return LameMp3(sources.path(), name, lameOptions);
    }

    QTemporaryDir sources;
};

TEST_F(AddCli, PrintsEachAddedSongAndNamesEveryFileItDidNotAdd)
{
    const QString other = sources.filePath(S("notes.txt"));
    WriteFile(other, "text");
    const QString tagged = mp3(S("tagged.mp3"), Args({"--tt", "New Title", "--ta", "New Artist"}));

    const Run run = cli({S("--verbose"), S("add"), other, tagged});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, S("4\ts05\tNew Artist - New Title\n"));
    EXPECT_TRUE(run.err.contains(S("Reading the file (2/2)"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(other + S(": skipped"))) << run.err.toStdString();
    EXPECT_EQ(archivedStreams().mid(4), QStringList{S("s05")});
    cli({S("add")}).expectFailure(2, S("add takes at least 1 argument(s): FILE..."));
}

TEST_F(AddCli, KilledAtAnyMomentLeavesEveryListedSongWithItsWholeStream)
{
    const QStringList arguments{S("add"), mp3(S("a.mp3"), Args({"--tt", "A"})), mp3(S("b.mp3")), mp3(S("c.mp3"))};
    const QStringList own = game->listedStreams();
    // One whole run gives the sizes of complete streams and the length of a run.
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(cli(arguments).exitCode, 0);
    std::uniform_int_distribution<qint64> delays(0, clock.nsecsElapsed() / 1000 * 3 / 4);
    QSet<qint64> complete;
    for (const QString& name : {S("s05"), S("s06"), S("s07")})
        complete.insert(QFileInfo(game->streamPath(name)).size());

    std::mt19937 generator(20261207);
    int killedMidway = 0;
    for (int i = 0; i < KillRuns; ++i) {
        SCOPED_TRACE(i);
        const std::unique_ptr<QProcess> process = startCli(arguments);
        ASSERT_TRUE(process->waitForStarted());
        std::this_thread::sleep_for(std::chrono::microseconds(delays(generator)));
        process->kill();
        ASSERT_TRUE(process->waitForFinished());
        killedMidway += process->exitStatus() == QProcess::CrashExit ? 1 : 0;
        // A listed stream exists, and no stream of an added song is ever seen half-written.
        QStringList streams = QDir(game->audioDir()).entryList({S("s*.sng")});
        for (const SongListRecord& record : SongListFile::decode(game->looseList() + game->archivedList()))
            streams.append(record.streamName + S(".sng"));
        for (const QString& name : streams) {
            const QFileInfo stream(game->audioDir() + name);
            EXPECT_TRUE(own.contains(stream.baseName()) || complete.contains(stream.size()))
                << name.toStdString() << " holds " << stream.size() << " bytes";
        }
    }
    EXPECT_GT(killedMidway, KillRuns / 4);
    EXPECT_EQ(cli({S("list")}).exitCode, 0);
}

}  // namespace
}  // namespace sonorelle::test
