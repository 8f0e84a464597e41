#include "stream/GameStreamReader.h"
#include "stream/GameStreamWriter.h"
#include "stream/ToneGenerator.h"
#include "support/ToolRun.h"
#include "tools/AudioProbe.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace sonorelle::test {
namespace {

constexpr std::size_t kFramesPerBlock = 2041;

class GameStreamTest : public ::testing::TestWithParam<std::size_t> {
protected:
    QString write(std::size_t frames)
    {
        tone = ToneGenerator(440.0, 44100, 2, 0.6).frames(frames);
        GameStreamWriter::writeFile(path.toStdString(), tone);
        return path;
    }

    // Odd read sizes cross block boundaries at every possible offset.
    std::vector<std::int16_t> decode() const
    {
        auto reader = GameStreamReader::open(path.toStdString());
        if (!reader) {
            ADD_FAILURE() << "not read as a game stream";
            return {};
        }
        std::vector<std::int16_t> samples(static_cast<std::size_t>(reader->frames()) * 2 + 2 * 5000);
        std::size_t done = 0;
        while (const std::size_t got = reader->read(samples.data() + done * 2, 997))
            done += got;
        samples.resize(done * 2);
        return samples;
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("s01.sng"));
    std::vector<std::int16_t> tone;
};

// The true length must survive the padding of the last block.
TEST_P(GameStreamTest, WrittenStreamReadsBackItsTrueLengthAndAgreesWithLibsndfile)
{
    const std::size_t frames = GetParam();
    write(frames);
    EXPECT_EQ(QFile(path).size(), qint64(60 + (frames + kFramesPerBlock - 1) / kFramesPerBlock * 2048));
    const auto ours = decode();
    ASSERT_EQ(ours.size(), frames * 2);

    // libsndfile ignores `fact` and decodes the padding too; up to the true length it must
    // hear exactly what we decode, which proves the block layout is the standard one.
    const DecodedAudio theirs = ReadAudio(path);
    ASSERT_EQ(theirs.format, SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM);
    ASSERT_GE(theirs.samples.size(), ours.size());
    EXPECT_TRUE(std::equal(ours.begin(), ours.end(), theirs.samples.begin()));
    double signal = 0.0;
    double noise = 1.0;
    for (std::size_t i = 0; i < tone.size(); ++i) {
        signal += double(tone[i]) * tone[i];
        noise += (double(tone[i]) - ours[i]) * (double(tone[i]) - ours[i]);
    }
    if (frames > 4 * kFramesPerBlock) {
        EXPECT_GT(10.0 * std::log10(signal / noise), 30.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, GameStreamTest, ::testing::Values(1, 9, 2040, 2041, 2042, 4082, 44100 * 2 + 17));

TEST_F(GameStreamTest, DataSizeBeyondTheFileReadsTheWholeBlocksOnly)
{
    QByteArray bytes = ReadFile(write(3 * kFramesPerBlock));
    bytes.replace(48, 4, "\xFF\xFF\xFF\xFF");  // fact: unknown
    bytes.replace(56, 4, "\xFF\xFF\xFF\xFF");  // data: a streaming writer's placeholder
    WriteFile(path, bytes + "TAG" + QByteArray(125, ' '));
    EXPECT_EQ(decode().size(), 3 * kFramesPerBlock * 2);
}

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

// Our encoder against libsndfile's IMA ADPCM encoder, byte for byte.
TEST(StreamEncoderTest, EncodesExactlyAsLibsndfileDoes)
{
    constexpr std::size_t Blocks = 6;
    const std::vector<std::int16_t> samples = Signal(Blocks * kFramesPerBlock);
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
    // The audio is the last chunk of both files.
    EXPECT_EQ(ReadFile(ours).right(Blocks * 2048), ReadFile(theirs).right(Blocks * 2048));
}

}  // namespace
}  // namespace sonorelle::test
