// RipTrack of a 4-minute track from a BIN/CUE image, beside a reference measured in
// the same run: `dd` copying the same byte range of the .bin (plain, and with
// conv=fsync, since the rip syncs its file before renaming it into place).
#include "app/Feedback.h"
#include "audio/RipTrack.h"
#include "platform/CdDisc.h"
#include "platform/ToolRunner.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace sonorelle {
namespace {

constexpr qint32 LeadFrames = 75 * 10;     // a 10-second track 1 before the ripped one
constexpr qint32 TrackFrames = 75 * 240;   // 4 minutes

class BenchImage {
public:
    static BenchImage& instance()
    {
        static BenchImage image;
        return image;
    }

    QString bin() const { return dir_.path() + QStringLiteral("/disc.bin"); }
    QString output() const { return dir_.path() + QStringLiteral("/track.wav"); }
    QString cue() const { return dir_.path() + QStringLiteral("/disc.cue"); }

private:
    BenchImage()
    {
        QFile cue(this->cue());
        QFile bin(this->bin());
        if (!cue.open(QIODevice::WriteOnly) || !bin.open(QIODevice::WriteOnly))
            qFatal("cannot write the disc image");
        cue.write("FILE \"disc.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"
                  "  TRACK 02 AUDIO\r\n    INDEX 01 00:10:00\r\n");
        QByteArray frame(CdFrameBytes, Qt::Uninitialized);
        for (qint32 f = 0; f < LeadFrames + TrackFrames; ++f) {
            for (int i = 0; i < CdFrameBytes; ++i)
                frame[i] = static_cast<char>((f * 31 + i * 7) & 0xFF);
            bin.write(frame);
        }
    }

    QTemporaryDir dir_;
};

void RipTrack4Minutes(benchmark::State& state)
{
    BenchImage& image = BenchImage::instance();
    QString error;
    const std::unique_ptr<CdDisc> disc =
        CdDisc::OpenCD(CdUnit{QStringLiteral("disc.cue"), image.cue(), true, {}}, &error);
    if (!disc) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    SilentFeedback feedback;
    for (auto _ : state) {
        if (!RipTrack::ofTrack(*disc, 2, image.output()).run(feedback).succeeded())
            state.SkipWithError("the rip failed");
    }
    state.SetBytesProcessed(state.iterations() * qint64(TrackFrames) * CdFrameBytes);
}

void runDd(benchmark::State& state, const QStringList& extra)
{
    const BenchImage& image = BenchImage::instance();
    const QStringList arguments = QStringList{QStringLiteral("if=") + image.bin(),
                                              QStringLiteral("of=") + image.output(),
                                              QStringLiteral("bs=%1").arg(CdFrameBytes),
                                              QStringLiteral("skip=%1").arg(LeadFrames),
                                              QStringLiteral("count=%1").arg(TrackFrames),
                                              QStringLiteral("status=none")}
                                  + extra;
    for (auto _ : state) {
        if (!RunAndWait(QStringLiteral("dd"), arguments, WindowStyle::Hidden, -1).succeeded())
            state.SkipWithError("dd failed");
    }
    state.SetBytesProcessed(state.iterations() * qint64(TrackFrames) * CdFrameBytes);
}

void ReferenceDd(benchmark::State& state)
{
    runDd(state, {});
}

void ReferenceDdFsync(benchmark::State& state)
{
    runDd(state, {QStringLiteral("conv=fsync")});
}

BENCHMARK(RipTrack4Minutes)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceDd)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceDdFsync)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sonorelle

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
