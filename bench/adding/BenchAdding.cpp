// Times `sonorelle-cli add` end to end (process start included) on a generated game
// against ffmpeg's IMA ADPCM conversion of the same MP3 plus a copy into the audio
// folder, each pair run alternately so both see the same load; then the peak memory of
// adding a 60-minute MP3. Usage: bench_adding [RUNS]
#include "app/SettingsKeys.h"
#include "BenchGame.h"
#include "TimedCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

using namespace sonorelle;

using Command = TimedCommand;

QProcessEnvironment Environment;

double Run(const std::vector<Command>& commands)
{
    return TimedRun(commands, Environment);
}

void Compare(const char* what, const std::vector<Command>& ours, const std::vector<Command>& reference, double goal,
             int runs)
{
    CompareAlternately(what, ours, Environment, reference, Environment, goal, runs);
}

// The peak resident size in MiB of a command and every process it waited for, as GNU
// time sees it (a fork of this process would carry this process's own peak along).
double PeakMiB(const Command& command, const QString& report)
{
    Run({{QStringLiteral("/usr/bin/time"),
          QStringList{QStringLiteral("-f"), QStringLiteral("%M"), QStringLiteral("-o"), report, command.program}
              + command.arguments}});
    QFile file(report);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("GNU time wrote no report");
    return file.readAll().trimmed().toDouble() / 1024.0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const QString tools = QCoreApplication::applicationDirPath();
    QTemporaryDir work;
    const auto at = [&work](const QString& name) { return work.filePath(name); };
    try {
        BenchGame bench(work.path(), tools);
        const DemoGame& game = bench.game();
        bench.registry().WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::CDDrive,
                                       QStringLiteral("0"));
        Environment = bench.environment();

        // Four minutes of a changing chord; no Xing frame, so pieces can be joined.
        const QString mp3 = at(QStringLiteral("song.mp3"));
        Run({{QStringLiteral("sox"),
              {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("44100"), QStringLiteral("-c"),
               QStringLiteral("2"), at(QStringLiteral("song.wav")), QStringLiteral("synth"), QStringLiteral("240"),
               QStringLiteral("sine"), QStringLiteral("220-440"), QStringLiteral("sine"), QStringLiteral("330-660")}},
             {QStringLiteral("lame"),
              {QStringLiteral("--quiet"), QStringLiteral("-t"), at(QStringLiteral("song.wav")), mp3}}});
        QStringList ten;
        for (int i = 0; i < 10; ++i) {
            ten.append(at(QStringLiteral("song%1.mp3").arg(i)));
            QFile::copy(mp3, ten.last());
        }
        QFile piece(mp3);
        QFile hour(at(QStringLiteral("hour.mp3")));
        if (!piece.open(QIODevice::ReadOnly) || !hour.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the 60-minute MP3");
        for (int i = 0; i < 15; ++i) {
            piece.seek(0);
            hour.write(piece.readAll());
        }
        hour.close();

        const QString cli = tools + QStringLiteral("/sonorelle-cli");
        const QString wav = at(QStringLiteral("ffmpeg.wav"));
        const Command ffmpeg{QStringLiteral("ffmpeg"),
                             {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
                              QStringLiteral("-i"), mp3, QStringLiteral("-c:a"), QStringLiteral("adpcm_ima_wav"),
                              wav}};
        const Command copy{QStringLiteral("cp"), {wav, game.audioDir() + QStringLiteral("reference.wav")}};

        std::printf("4-minute stereo 44.1 kHz MP3s on a generated game, median of %d runs\n", runs);
        Compare("sonorelle-cli add song.mp3 vs ffmpeg -c:a adpcm_ima_wav + cp into the audio folder",
                {{cli, {QStringLiteral("add"), mp3}}}, {ffmpeg, copy}, 1.0, runs);
        Compare("sonorelle-cli add of ten MP3s vs ten sequential ffmpeg conversions",
                {{cli, QStringList{QStringLiteral("add")} + ten}}, std::vector<Command>(10, ffmpeg), 0.5, runs);

        QElapsedTimer clock;
        clock.start();
        const double peak = PeakMiB({cli, {QStringLiteral("add"), hour.fileName()}}, at(QStringLiteral("time.txt")));
        std::printf("sonorelle-cli add of a 60-minute MP3: %.1f s, peak resident %.1f MiB (largest of the program "
                    "and its tools), goal < 64 MiB: %s\n",
                    static_cast<double>(clock.nsecsElapsed()) / 1e9, peak, peak < 64 ? "met" : "MISSED");
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_adding: %s\n", failure.what());
        return 1;
    }
    return 0;
}
