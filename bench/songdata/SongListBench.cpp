// NameExpert and SaveList over 1,000 slots, each beside a reference measured in the
// same run: reading the same files' last 128 bytes with plain POSIX calls, and the
// archive tool's put-back alone and a `cp` of the list (the process start they share).
// NameExpert runs also on a game whose files are spelled in upper case, as Windows
// installs may spell them, where every name is found through the case-blind lookup.
#include "app/Feedback.h"
#include "app/SharedValues.h"
#include "demogame/DemoGame.h"
#include "platform/ToolRunner.h"
#include "songdata/SongListDocument.h"
#include "songdata/TagRecord.h"
#include "songdata/TagRecordFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sonorelle {
namespace {

constexpr int SlotCount = 1000;

// One generated game for every benchmark: 1,000 small streams, every other one tagged.
class BenchGame {
public:
    static BenchGame& instance()
    {
        static BenchGame game(false);
        return game;
    }
    // The same game with every file of its audio folder renamed to upper case.
    static BenchGame& upperCase()
    {
        static BenchGame game(true);
        return game;
    }

    SharedValues shared;
    SilentFeedback feedback;
    TagRecord StrTg;
    QStringList streamPaths;

private:
    explicit BenchGame(bool upperCase)
        : game_(root_.path())
    {
        DemoGame::Options options;
        options.toolDir = QCoreApplication::applicationDirPath();
        options.looseSongList = true;
        options.songs = DemoGame::fillerSongs(SlotCount, [](int i) { return QStringLiteral("s%1").arg(i + 1, 2, 10, QLatin1Char('0')); });
        QString error;
        if (!game_.create(options, &error))
            qFatal("%s", qPrintable(error));
        for (int i = 0; i < SlotCount; ++i) {
            const QString path = game_.audioDir() + options.songs.at(i).streamName + QStringLiteral(".sng");
            streamPaths.append(path);
            if (i % 2 == 0)
                TagRecordFile::write(path,
                                     *TagRecord::forSlot(QStringLiteral("T"), QStringLiteral("A"), {}, {}, {})
                                          .toBytes(shared.TagCodePage),
                                     TagRecordFile::Placement::Append, &error);
        }
        if (upperCase) {
            QDir audio(game_.audioDir());
            for (const QString& name : audio.entryList(QDir::Files))
                audio.rename(name, name.toUpper());
        }
        shared.ProgramDir = options.toolDir;
        shared.GameDir = game_.gameDir();
        shared.GameAudioDir = game_.audioDir();
    }

    QTemporaryDir root_;
    DemoGame game_;
};

QString noTexts(const QString&)
{
    return {};
}

void NameExpert1000(benchmark::State& state)
{
    BenchGame& game = BenchGame::instance();
    SongListDocument document(game.shared, game.feedback, &noTexts, game.StrTg);
    for (auto _ : state)
        benchmark::DoNotOptimize(document.NameExpert().size());
    state.SetItemsProcessed(state.iterations() * SlotCount);
}

void NameExpert1000UpperCase(benchmark::State& state)
{
    BenchGame& game = BenchGame::upperCase();
    SongListDocument document(game.shared, game.feedback, &noTexts, game.StrTg);
    for (auto _ : state)
        benchmark::DoNotOptimize(document.NameExpert().size());
    state.SetItemsProcessed(state.iterations() * SlotCount);
}

void ReferenceReadTails1000(benchmark::State& state)
{
    BenchGame& game = BenchGame::instance();
    std::vector<QByteArray> paths;
    for (const QString& path : game.streamPaths)
        paths.push_back(QFile::encodeName(path));
    char tail[128];
    for (auto _ : state) {
        for (const QByteArray& path : paths) {
            struct stat info {};
            const int fd = ::open(path.constData(), O_RDONLY);
            if (fd < 0 || ::fstat(fd, &info) != 0 || ::pread(fd, tail, sizeof tail, info.st_size - 128) != 128)
                state.SkipWithError("cannot read a stream");
            ::close(fd);
            benchmark::DoNotOptimize(tail);
        }
    }
    state.SetItemsProcessed(state.iterations() * SlotCount);
}

void SaveList1000(benchmark::State& state)
{
    BenchGame& game = BenchGame::instance();
    SongListDocument document(game.shared, game.feedback, &noTexts, game.StrTg);
    document.NameExpert();
    for (auto _ : state) {
        if (!document.SaveList())
            state.SkipWithError("SaveList failed");
    }
    state.SetItemsProcessed(state.iterations() * SlotCount);
}

void ReferenceAddon2PutBackOnly(benchmark::State& state)
{
    const BenchGame& game = BenchGame::instance();
    for (auto _ : state) {
        const RunResult run = RunAndWait(game.shared.ProgramDir + QStringLiteral("/addon2"),
                                         {QStringLiteral("-ar"), game.shared.GameAudioDir + QStringLiteral("audio.big"),
                                          game.shared.GameAudioDir + QStringLiteral("songlist.*")},
                                         WindowStyle::Hidden, -1);
        if (!run.succeeded())
            state.SkipWithError("addon2 failed");
    }
}

void ReferenceCpSongList(benchmark::State& state)
{
    const BenchGame& game = BenchGame::instance();
    for (auto _ : state) {
        const RunResult run = RunAndWait(QStringLiteral("/bin/cp"),
                                         {game.shared.GameAudioDir + QStringLiteral("songlist.bin"),
                                          game.shared.GameAudioDir + QStringLiteral("copy.lst")},
                                         WindowStyle::Hidden, -1);
        if (!run.succeeded())
            state.SkipWithError("cp failed");
    }
}

BENCHMARK(NameExpert1000)->Unit(benchmark::kMillisecond);
BENCHMARK(NameExpert1000UpperCase)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceReadTails1000)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveList1000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceAddon2PutBackOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceCpSongList)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sonorelle
