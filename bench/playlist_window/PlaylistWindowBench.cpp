// The playlist window filled from a 10,000-entry extended M3U (read, then one checkable
// item per entry), beside the reader alone in the same run. The goal is under 200 ms.
#include "app/Feedback.h"
#include "app/Session.h"
#include "app/StartupHost.h"
#include "ui/frmWinAmp.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace sonorelle {
namespace {

constexpr int EntryCount = 10000;

// The window is used without start-up: nothing of it is asked for.
class NoStartup : public StartupHost {
public:
    void showSplash() override {}
    void hideSplash() override {}
    void openSetupForFirstRun() override {}
    void closeProgram() override {}
    void placeFileBrowser(const QString& /*folder*/) override {}
    void selectFirstSongIfNone() override {}
    void unloadProgress() override {}
    void ApplyLanguage(const LanguageTexts& /*texts*/) override {}
    void ExpRightClickMenu() override {}
    void songListLoaded() override {}
    void GoCMD() override {}
};

struct Playlist {
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("big.m3u"));

    Playlist()
    {
        QByteArray text = "#EXTM3U\r\n";
        for (int i = 0; i < EntryCount; ++i)
            text += "#EXTINF:" + QByteArray::number(180 + i % 120) + ",Artist " + QByteArray::number(i)
                    + " - Song " + QByteArray::number(i) + "\r\nMusic\\Album " + QByteArray::number(i / 12)
                    + "\\Track " + QByteArray::number(i) + ".mp3\r\n";
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            qFatal("cannot write %s", qPrintable(path));
    }
};

Playlist& TheList()
{
    static Playlist list;
    return list;
}

void FillPlaylistWindow10000(benchmark::State& state)
{
    SilentFeedback feedback;
    NoStartup host;
    Session session(Registry(TheList().folder.filePath(QStringLiteral("store.reg")), TheList().folder.path()), feedback,
                    host, QString(), QString());
    frmWinAmp window(session, nullptr);
    for (auto _ : state)
        window.loadPlaylist(TheList().path);
}

void ReferenceReaderOnly(benchmark::State& state)
{
    clsM3UReader reader(TheList().folder.path());
    for (auto _ : state) {
        reader.setFilename(TheList().path);
        benchmark::DoNotOptimize(reader.Refresh());
    }
}

BENCHMARK(FillPlaylistWindow10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceReaderOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sonorelle

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
