// The stream encoder against libsndfile's IMA ADPCM encoder, byte for byte.
#include "stream/GameStreamWriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace sonorelle::test {
namespace {

// Whole blocks, so neither encoder pads: a slow wave driven past full scale, with
// jumps to both ends the predictor overshoots, and a busy right channel.
std::vector<std::int16_t> Signal(std::size_t frames)
{
    std::vector<std::int16_t> samples(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        const double wave = std::sin(double(i) * 0.01) * 1.5 + (i % 7 == 0 ? ((i / 300) % 2 ? 0.9 : -0.9) : 0.0);
        const int left = i % 1000 == 5 ? -32768 : int(std::lround(std::clamp(wave, -1.0, 1.0) * 32767));
        samples[2 * i] = static_cast<std::int16_t>(left);
        samples[2 * i + 1] = static_cast<std::int16_t>(-left / 2 + int(i % 13) * 900);
    }
    return samples;
}

TEST(StreamEncoderTest, EncodesExactlyAsLibsndfileDoes)
{
    constexpr std::size_t Blocks = 6;
    const std::vector<std::int16_t> samples = Signal(Blocks * 2041);
    QTemporaryDir dir;
    const QString ours = dir.filePath(QStringLiteral("ours.sng"));
    const QString theirs = dir.filePath(QStringLiteral("theirs.wav"));
    GameStreamWriter::writeFile(ours.toStdString(), samples);
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM;
    SNDFILE* file = sf_open(theirs.toLocal8Bit().constData(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size() / 2));
    sf_close(file);

    QFile a(ours);
    QFile b(theirs);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    // The audio is the last chunk of both files.
    EXPECT_EQ(a.readAll().right(Blocks * 2048), b.readAll().right(Blocks * 2048));
}

}  // namespace
}  // namespace sonorelle::test
