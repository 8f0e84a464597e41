// Times `sonorelle-cli add --cd 1` end to end (process start, rip from a BIN/CUE image,
// encoding, storing) on a generated game whose CD unit is the image, against ffmpeg's
// IMA ADPCM conversion of the same PCM as a WAV file, the two run alternately so both
// see the same load. Usage: bench_cd_add [RUNS]
#include "app/SettingsKeys.h"
#include "platform/CdUnits.h"
#include "BenchGame.h"
#include "TimedCommands.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

using namespace sonorelle;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const QString tools = QCoreApplication::applicationDirPath();
    QTemporaryDir work;
    const auto at = [&work](const char* name) { return work.filePath(QString::fromLatin1(name)); };
    try {
        BenchGame bench(work.path(), tools);
        const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();

        // Four minutes of a changing chord, once as the disc's raw frames, once as a WAV.
        const QStringList chord{QStringLiteral("synth"), QStringLiteral("240"), QStringLiteral("sine"),
                                QStringLiteral("220-440"), QStringLiteral("sine"), QStringLiteral("330-660")};
        const QStringList pcm{QStringLiteral("-r"), QStringLiteral("44100"), QStringLiteral("-c"), QStringLiteral("2"),
                              QStringLiteral("-b"), QStringLiteral("16"), QStringLiteral("-e"),
                              QStringLiteral("signed")};
        const QString sox = QStringLiteral("sox");
        const QStringList raw{QStringLiteral("-L"), QStringLiteral("-t"), QStringLiteral("raw"), at("disc.bin")};
        TimedRun({{sox, QStringList{QStringLiteral("-n")} + pcm + raw + chord},
                  {sox, QStringList{QStringLiteral("-n")} + pcm + QStringList{at("track.wav")} + chord}},
                 system);
        QFile cue(at("disc.cue"));
        if (!cue.open(QIODevice::WriteOnly)
            || cue.write("FILE \"disc.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n") < 0)
            throw std::runtime_error("cannot write the cue sheet");
        cue.close();

        Registry& registry = bench.registry();
        const QList<CdUnit> units = ListCDDrives(cue.fileName());
        const auto image = std::find_if(units.begin(), units.end(),
                                        [&](const CdUnit& unit) { return unit.source == cue.fileName(); });
        if (image == units.end())
            throw std::runtime_error("the disc image is not a CD unit");
        registry.WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::CDImages, cue.fileName());
        registry.WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::CDDrive,
                               QString::number(image - units.begin()));
        const QProcessEnvironment environment = bench.environment();

        const QStringList ours{QStringLiteral("add"), QStringLiteral("--cd"), QStringLiteral("1")};
        const QStringList reference{QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
                                    QStringLiteral("-i"), at("track.wav"), QStringLiteral("-c:a"),
                                    QStringLiteral("adpcm_ima_wav"), at("out.wav")};
        std::printf("A 4-minute track of a BIN/CUE image added to a generated game, median of %d runs\n", runs);
        CompareAlternately("sonorelle-cli add --cd 1 vs ffmpeg -i track.wav -c:a adpcm_ima_wav out.wav",
                           {{tools + QStringLiteral("/sonorelle-cli"), ours}}, environment,
                           {{QStringLiteral("ffmpeg"), reference}}, system, 1.0, runs);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_cd_add: %s\n", failure.what());
        return 1;
    }
    return 0;
}
