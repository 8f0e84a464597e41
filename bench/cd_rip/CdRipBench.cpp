// RipTrack of a 4-minute track from a BIN/CUE image, beside a reference measured in
// the same run: `dd` copying the same byte range of the .bin, a frame at a time and in
// the rip's chunks (also with conv=fsync: the rip syncs its file before renaming it).
#include "app/Feedback.h"
#include "audio/RipTrack.h"
#include "platform/CdDisc.h"
#include "platform/ToolRunner.h"

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

// dd in blocks of `frames` frames, counting skip and count in bytes.
void runDd(benchmark::State& state, int frames, const QStringList& extra)
{
    const BenchImage& image = BenchImage::instance();
    const QStringList arguments = QStringList{QStringLiteral("if=") + image.bin(),
                                              QStringLiteral("of=") + image.output(),
                                              QStringLiteral("bs=%1").arg(frames * CdFrameBytes),
                                              QStringLiteral("skip=%1").arg(qint64(LeadFrames) * CdFrameBytes),
                                              QStringLiteral("count=%1").arg(qint64(TrackFrames) * CdFrameBytes),
                                              QStringLiteral("iflag=skip_bytes,count_bytes"),
                                              QStringLiteral("status=none")}
                                  + extra;
    for (auto _ : state) {
        if (!RunAndWait(QStringLiteral("dd"), arguments, WindowStyle::Hidden, -1).succeeded())
            state.SkipWithError("dd failed");
    }
    state.SetBytesProcessed(state.iterations() * qint64(TrackFrames) * CdFrameBytes);
}

void ReferenceDdFrames(benchmark::State& state)
{
    runDd(state, 1, {});
}

void ReferenceDdChunks(benchmark::State& state)
{
    runDd(state, RipTrack::ChunkFrames, {});
}

void ReferenceDdChunksFsync(benchmark::State& state)
{
    runDd(state, RipTrack::ChunkFrames, {QStringLiteral("conv=fsync")});
}

BENCHMARK(RipTrack4Minutes)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceDdFrames)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceDdChunks)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceDdChunksFsync)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sonorelle
