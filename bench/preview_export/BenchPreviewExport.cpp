// Times the export of a 4-minute song through sonorelle-cli against ffmpeg decoding the
// same stream followed by lame encoding it, and the start of a song preview (decode,
// then the player reporting that it plays) against the decode alone. The runs of each
// pair alternate, so both see the same load. Usage: bench_preview_export [RUNS]
#include "app/Feedback.h"
#include "app/SettingsKeys.h"
#include "app/SharedValues.h"
#include "audio/PreviewOperation.h"
#include "audio/PreviewPlayer.h"
#include "demogame/DemoGame.h"
#include "platform/Registry.h"
#include "platform/ToolRunner.h"
#include "playback/MediaPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMediaPlayer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace sonorelle {
namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Seconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

void Run(const QString& program, const QStringList& arguments)
{
    const RunResult ran = RunAndWait(program, arguments, WindowStyle::Hidden, -1);
    if (!ran.succeeded())
        qFatal("%s failed: %s", qPrintable(program), qPrintable(ran.error));
}

void Report(const char* what, const std::vector<double>& ours, const std::vector<double>& reference,
            const char* referenceName)
{
    std::printf("%s\n  ours %.3f s, %s %.3f s, ratio %.2f\n", what, Median(ours), referenceName, Median(reference),
                Median(ours) / Median(reference));
}

}  // namespace
}  // namespace sonorelle

int main(int argc, char** argv)
{
    using namespace sonorelle;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_MEDIA_BACKEND", "gstreamer");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const QString tools = QCoreApplication::applicationDirPath();

    QTemporaryDir root;
    for (const char* variable : {"XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = root.filePath(QString::fromLatin1(variable));
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv(variable, QFile::encodeName(folder));
    }
    DemoGame game(root.filePath(QStringLiteral("game")));
    DemoGame::Options options;
    DemoSong song;
    song.streamName = QStringLiteral("s700");
    song.artist = QStringLiteral("Artist");
    song.title = QStringLiteral("Title");
    song.seconds = 240.0;
    options.songs = {song};
    options.toolDir = tools;
    QString error;
    if (!game.create(options, &error))
        qFatal("%s", qPrintable(error));
    const QString store = root.filePath(QStringLiteral("registry.reg"));
    Registry(store, game.winePrefix()).WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::CDDrive,
                                                     QStringLiteral("0"));
    qputenv("WINEPREFIX", QFile::encodeName(game.winePrefix()));
    qputenv("SONORELLE_REGISTRY", QFile::encodeName(store));
    const QString stream = game.audioDir() + QStringLiteral("s700.sng");
    const auto at = [&](const char* name) { return root.filePath(QString::fromLatin1(name)); };

    std::printf("4-minute song, median of %d runs\n", runs);
    std::vector<double> exports, references;
    for (int i = 0; i < runs; ++i) {
        exports.push_back(Seconds([&] {
            Run(tools + QStringLiteral("/sonorelle-cli"), {QStringLiteral("export"), QStringLiteral("0"), at("ours.mp3")});
        }));
        references.push_back(Seconds([&] {
            Run(QStringLiteral("ffmpeg"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
                                           QStringLiteral("-i"), stream, QStringLiteral("-f"), QStringLiteral("wav"),
                                           at("x.wav")});
            Run(QStringLiteral("lame"), {QStringLiteral("--quiet"), QStringLiteral("--preset"), QStringLiteral("cd"),
                                         at("x.wav"), at("x.mp3")});
        }));
    }
    Report("sonorelle-cli export vs ffmpeg -f wav + lame --preset cd (goal <= 1.0)", exports, references,
           "ffmpeg+lame");

    SharedValues shared;
    shared.ProgramDir = tools;
    shared.TempDir = at("temp");
    QDir().mkpath(shared.TempDir);
    SilentFeedback feedback;
    MediaPlayer player;
    PreviewPlayer preview(feedback);
    preview.setPlayer(&player);
    std::vector<double> starts, decodes;
    for (int i = 0; i < runs; ++i) {
        starts.push_back(Seconds([&] {
            QEventLoop playing;
            const auto connection = QObject::connect(&player.mediaPlayer(), &QMediaPlayer::playbackStateChanged,
                                                     &playing, [&](QMediaPlayer::PlaybackState state) {
                                                         if (state == QMediaPlayer::PlayingState)
                                                             playing.quit();
                                                     });
            QTimer::singleShot(20000, &playing, [&] { qFatal("the preview did not start playing"); });
            preview.MciStopFile();
            PreviewOperation operation(shared, [](const QString&) { return QString(); }, preview, stream,
                                       StreamDecoder::TagRecordCut::WhenPresent);
            if (!operation.run(feedback).succeeded())
                qFatal("the preview failed");
            if (player.mediaPlayer().playbackState() != QMediaPlayer::PlayingState)
                playing.exec();
            QObject::disconnect(connection);
        }));
        preview.MciStopFile();
        decodes.push_back(Seconds([&] {
            Run(tools + QStringLiteral("/addon3"), {QStringLiteral("-wave"), stream, QStringLiteral("="), at("d.wav")});
        }));
    }
    Report("preview start (Command9 to playing) vs addon3 -wave alone (goal < 0.3 s and <= decode + 0.1 s)", starts,
           decodes, "decode");
    return 0;
}
