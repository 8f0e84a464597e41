// Start-up of the main window, from the process start until it is shown with its song
// list filled (the program's end is not timed), on a 42-song game whose Wine
// system.reg is 5 MB, beside a bare Qt Widgets program showing a window (a list of 42
// lines), in the same run. Both are this program started again in a child mode, so
// each pays the same loading. The splash window's one-second pause is left out
// (SONORELLE_SPLASH_WAIT_MS=0): it is a pause, not work.
#include "app/SettingsKeys.h"
#include "demogame/DemoGame.h"
#include "platform/Registry.h"
#include "ui/Form1.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QMainWindow>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace sonorelle {
namespace {

constexpr int SongCount = 42;
constexpr qint64 SystemRegBytes = 5 * 1024 * 1024;

class BenchGame {
    QTemporaryDir root_;
    DemoGame game_{root_.filePath(QStringLiteral("game"))};

public:
    static BenchGame& instance()
    {
        static BenchGame game;
        return game;
    }

    Registry registry{root_.filePath(QStringLiteral("registry.reg")), game_.winePrefix()};

private:
    BenchGame()
    {
        DemoGame::Options options;
        options.toolDir = QCoreApplication::applicationDirPath();
        options.songs = DemoGame::fillerSongs(SongCount, [](int i) { return QStringLiteral("s%1").arg(700 + i); });
        QString error;
        if (!game_.create(options, &error))
            qFatal("%s", qPrintable(error));
        padSystemReg();
        const auto set = [this](const QString& name, const QString& value) {
            registry.WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, name, value);
        };
        set(SettingsKeys::InstallDir, options.toolDir);
        set(SettingsKeys::Language, options.toolDir + QStringLiteral("/languages/English.lng"));
        set(SettingsKeys::CDDrive, QStringLiteral("0"));
        // A start after the first one, which tagged the shipped songs.
        set(SettingsKeys::FirstRun, QStringLiteral("1"));
    }

    // Other programs' keys, as a Wine prefix in use gathers them, after the game's.
    void padSystemReg() const
    {
        QFile file(game_.winePrefix() + QStringLiteral("/system.reg"));
        if (!file.open(QIODevice::Append))
            qFatal("cannot open system.reg");
        for (int key = 0; file.size() < SystemRegBytes; ++key) {
            QByteArray block = "\n[Software\\\\Vendor " + QByteArray::number(key % 97) + "\\\\Product\\\\Key " +
                               QByteArray::number(key) + "] 1700000000\n";
            for (int value = 0; value < 8; ++value)
                block += "\"Value " + QByteArray::number(value) + "\"=\"C:\\\\Program Files\\\\Product " +
                         QByteArray::number(key) + "\\\\file" + QByteArray::number(value) + ".dll\"\n";
            file.write(block);
        }
    }
};

const char* const WindowChild = "--window-child";
const char* const BareChild = "--bare-child";

// Tells the parent that the window is up; what follows (the program's end) is not timed.
int ReportShown()
{
    QCoreApplication::processEvents();
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    return 0;
}

int ShowWindow(const QString& registryFile, const QString& winePrefix)
{
    Form1 window(Registry(registryFile, winePrefix), QCoreApplication::applicationDirPath(), QString());
    if (!window.start() || !window.isVisible())
        return 2;
    auto* songs = window.findChild<QListWidget*>(QStringLiteral("lstSong"));
    if (songs == nullptr || songs->count() != SongCount)
        return 3;
    return ReportShown();
}

int ShowBareWindow()
{
    QMainWindow window;
    auto* list = new QListWidget(&window);
    for (int i = 0; i < SongCount; ++i)
        list->addItem(QStringLiteral("Artist %1 - Title %1").arg(i));
    window.setCentralWidget(list);
    window.show();
    return ReportShown();
}

void StartChild(benchmark::State& state, const QStringList& arguments)
{
    for (auto _ : state) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        child.start(QCoreApplication::applicationFilePath(), arguments);
        while (!child.canReadLine() && child.waitForReadyRead(-1)) {
        }
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0
            || child.readLine() != "shown\n")
            state.SkipWithError("the start-up did not complete");
    }
}

void WindowStartup42Songs5MBRegistry(benchmark::State& state)
{
    BenchGame& game = BenchGame::instance();
    StartChild(state, {QString::fromLatin1(WindowChild), game.registry.storePath(), game.registry.winePrefix()});
}

void ReferenceBareWindow(benchmark::State& state)
{
    StartChild(state, {QString::fromLatin1(BareChild)});
}

BENCHMARK(ReferenceBareWindow)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(WindowStartup42Songs5MBRegistry)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sonorelle

int main(int argc, char** argv)
{
    using namespace sonorelle;
    if (argc > 1 && qstrcmp(argv[1], BareChild) == 0) {
        QApplication app(argc, argv);
        return ShowBareWindow();
    }
    if (argc == 4 && qstrcmp(argv[1], WindowChild) == 0) {
        QApplication app(argc, argv);
        return ShowWindow(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    // The window writes its file manager entries and work files: into a folder of the run's.
    QTemporaryDir home;
    for (const char* variable : {"HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
        qputenv(variable, QFile::encodeName(home.path()));
    qputenv("SONORELLE_SPLASH_WAIT_MS", "0");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
