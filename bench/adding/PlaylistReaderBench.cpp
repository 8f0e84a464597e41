// clsM3UReader over an extended M3U of 10,000 entries with relative Windows paths (the
// shape of a player's own list), beside the least any reader must do with the same
// file, measured in the same run: read it with QFile, decode it, split it into lines.
#include "adding/clsM3UReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace sonorelle {
namespace {

constexpr int EntryCount = 10000;

class BenchPlaylist {
public:
    static const BenchPlaylist& instance()
    {
        static const BenchPlaylist playlist;
        return playlist;
    }

    QString path() const { return folder_.path() + QStringLiteral("/winamp.m3u"); }

private:
    BenchPlaylist()
    {
        QByteArray bytes = "#EXTM3U\r\n";
        for (int i = 0; i < EntryCount; ++i) {
            const QByteArray n = QByteArray::number(i);
            bytes += "#EXTINF:" + QByteArray::number(120 + i % 300) + ",Artist " + n + " - Song " + n + "\r\n";
            bytes += "Music\\Artist " + n + "\\Album\\" + n + " - Song " + n + ".mp3\r\n";
        }
        QFile file(path());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the playlist");
    }

    QTemporaryDir folder_;
};

void ReadExtendedM3u10000(benchmark::State& state)
{
    clsM3UReader reader(QStringLiteral("/nonexistent/wine-prefix"));
    reader.setFilename(BenchPlaylist::instance().path());
    for (auto _ : state) {
        if (reader.Refresh() != EntryCount)
            state.SkipWithError("wrong entry count");
    }
    state.SetItemsProcessed(state.iterations() * EntryCount);
}

void ReferenceQFileSplitLines(benchmark::State& state)
{
    const QString path = BenchPlaylist::instance().path();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open the playlist");
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        benchmark::DoNotOptimize(lines.size());
    }
    state.SetItemsProcessed(state.iterations() * EntryCount);
}

BENCHMARK(ReadExtendedM3u10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceQFileSplitLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sonorelle
