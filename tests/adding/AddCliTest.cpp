#include "cli/CliFixture.h"

#include "songdata/SongListFile.h"
#include "support/FileBytes.h"
#include "support/Mp3Files.h"
#include "support/TestEnvironment.h"

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

    // Every listed song's stream exists, and each added one is as a complete run stores it.
    void expectListAndStreamsAgree(const QStringList& own, const QSet<qint64>& completeSizes) const
    {
        for (const QByteArray& bytes : {game->looseList(), game->archivedList()}) {
            EXPECT_EQ(bytes.size() % SongListRecord::Size, 0);
            for (const SongListRecord& record : SongListFile::decode(bytes)) {
                const QFileInfo stream(game->streamPath(record.streamName));
                EXPECT_TRUE(stream.isFile()) << record.streamName.toStdString();
                if (!own.contains(record.streamName)) {
                    EXPECT_TRUE(completeSizes.contains(stream.size())) << record.streamName.toStdString();
                }
            }
        }
    }

    QTemporaryDir sources;
};

TEST_F(AddCli, PrintsEachAddedSongAndNamesEveryFileItDidNotAdd)
{
    const QString tagged = mp3(S("tagged.mp3"), Args({"--tt", "New Title", "--ta", "New Artist"}));
    const QString other = sources.filePath(S("notes.txt"));
    WriteFile(other, "text");
    const QString missing = sources.filePath(S("missing.mp3"));
    const QString plain = mp3(S("plain.mp3"));

    const Run run = cli({S("add"), tagged, other, missing, plain});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, S("4\ts05\tNew Artist - New Title\n5\ts06\ts06 - s06\n"));
    const QStringList errors = run.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(errors.size(), 2) << run.err.toStdString();
    EXPECT_TRUE(errors[0].contains(other + S(": skipped"))) << errors[0].toStdString();
    EXPECT_TRUE(errors[1].contains(missing + S(": does not exist"))) << errors[1].toStdString();
    EXPECT_EQ(listed().mid(4), (QStringList{S("New Artist - New Title"), S("s06 - s06")}));
    EXPECT_EQ(archivedStreams().mid(4), (QStringList{S("s05"), S("s06")}));
}

TEST_F(AddCli, VerboseShowsTheStatusTextsAndARunEndedEarlyNamesTheFilesLeft)
{
    const QString tiny = sources.filePath(S("tiny.wav"));
    WriteFile(tiny, QByteArray(100, 'x'));
    const QString after = mp3(S("after.mp3"));

    const Run run = cli({S("--verbose"), S("add"), tiny, after});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QString());
    EXPECT_TRUE(run.err.contains(S("Reading the file (1/2)"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(after + S(": not processed: the run ended at ") + tiny)) << run.err.toStdString();
    EXPECT_EQ(listed().size(), 4);
}

TEST_F(AddCli, WithoutAFileIsAUsageError)
{
    cli({S("add")}).expectFailure(2, S("add takes at least 1 argument(s): FILE..."));
}

TEST_F(AddCli, KilledAtAnyMomentLeavesEveryListedSongWithItsWholeStream)
{
    const QStringList files{mp3(S("a.mp3"), Args({"--tt", "A"})), mp3(S("b.mp3")), mp3(S("c.mp3"), Args({"--tt", "C"}))};
    const QStringList arguments = QStringList{S("add")} + files;
    const QStringList own = game->listedStreams();

    // One whole run gives the sizes of complete streams and the length of a run.
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(cli(arguments).exitCode, 0);
    const qint64 wholeRunUs = clock.nsecsElapsed() / 1000;
    QSet<qint64> completeSizes;
    for (const QString& name : {S("s05"), S("s06"), S("s07")})
        completeSizes.insert(QFileInfo(game->streamPath(name)).size());

    std::mt19937 generator(20261207);
    std::uniform_int_distribution<qint64> delays(0, wholeRunUs);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(S("WINEPREFIX"), game->game.winePrefix());
    environment.insert(S("SONORELLE_REGISTRY"), registry.storePath());
    environment.insert(S("XDG_DATA_HOME"), home.filePath(S("data")));
    int killedMidway = 0;
    for (int i = 0; i < KillRuns; ++i) {
        SCOPED_TRACE(i);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(BinDir() + S("/sonorelle-cli"), arguments);
        ASSERT_TRUE(process.waitForStarted());
        std::this_thread::sleep_for(std::chrono::microseconds(delays(generator)));
        process.kill();
        ASSERT_TRUE(process.waitForFinished());
        killedMidway += process.exitStatus() == QProcess::CrashExit ? 1 : 0;
        expectListAndStreamsAgree(own, completeSizes);
    }
    EXPECT_GT(killedMidway, KillRuns / 2);
    EXPECT_EQ(cli({S("list")}).exitCode, 0);
}

}  // namespace
}  // namespace sonorelle::test
