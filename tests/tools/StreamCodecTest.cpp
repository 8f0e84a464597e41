#include "stream/GameStreamReader.h"
#include "stream/GameStreamWriter.h"
#include "stream/ToneGenerator.h"
#include "tools/AudioProbe.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>

namespace sonorelle::test {
namespace {

constexpr std::size_t kFramesPerBlock = 2041;

std::vector<std::int16_t> Tone(std::size_t frames)
{
    return ToneGenerator(440.0, 44100, 2, 0.6).frames(frames);
}

std::vector<std::int16_t> DecodeWithOurReader(const QString& path)
{
    auto reader = GameStreamReader::open(path.toStdString());
    if (!reader) {
        ADD_FAILURE() << "not read as a game stream";
        return {};
    }
    std::vector<std::int16_t> samples(static_cast<std::size_t>(reader->frames()) * 2 + 2 * 5000);
    std::size_t done = 0;
    // Odd read sizes cross block boundaries at every possible offset.
    while (const std::size_t got = reader->read(samples.data() + done * 2, 997))
        done += got;
    samples.resize(done * 2);
    return samples;
}

double SignalToNoiseDb(const std::vector<std::int16_t>& original, const std::vector<std::int16_t>& coded)
{
    double signal = 0.0;
    double noise = 0.0;
    for (std::size_t i = 0; i < original.size(); ++i) {
        signal += double(original[i]) * original[i];
        noise += (double(original[i]) - coded[i]) * (double(original[i]) - coded[i]);
    }
    return 10.0 * std::log10(signal / std::max(noise, 1.0));
}

class GameStreamLengthTest : public ::testing::TestWithParam<std::size_t> {
protected:
    QTemporaryDir dir_;
};

// Lengths around block boundaries: the true length must survive the padding of the last block.
TEST_P(GameStreamLengthTest, WrittenStreamReadsBackItsTrueLengthAndAgreesWithLibsndfile)
{
    const std::size_t frames = GetParam();
    const QString path = dir_.filePath(QStringLiteral("s01.sng"));
    const auto tone = Tone(frames);
    GameStreamWriter::writeFile(path.toStdString(), tone);

    const std::size_t blocks = (frames + kFramesPerBlock - 1) / kFramesPerBlock;
    EXPECT_EQ(QFile(path).size(), qint64(60 + blocks * 2048));
    const auto ours = DecodeWithOurReader(path);
    ASSERT_EQ(ours.size(), frames * 2);

    // libsndfile ignores `fact` and decodes the padding too; up to the true length it
    // must hear exactly what we decode, which proves the block layout is the standard one.
    const DecodedAudio theirs = ReadAudio(path);
    ASSERT_EQ(theirs.format, SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM);
    ASSERT_GE(theirs.samples.size(), ours.size());
    EXPECT_TRUE(std::equal(ours.begin(), ours.end(), theirs.samples.begin()));
    if (frames > 4 * kFramesPerBlock) {
        EXPECT_GT(SignalToNoiseDb(tone, ours), 30.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, GameStreamLengthTest,
                         ::testing::Values(1, 9, 2040, 2041, 2042, 4082, 44100 * 2 + 17));

class GameStreamReaderTest : public ::testing::Test {
protected:
    QString writeStream(std::size_t frames)
    {
        const QString path = dir_.filePath(QStringLiteral("stream.sng"));
        GameStreamWriter::writeFile(path.toStdString(), Tone(frames));
        return path;
    }

    static void patch32(const QString& path, qint64 offset, quint32 value)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(offset);
        const char bytes[4] = {char(value & 0xFF), char((value >> 8) & 0xFF), char((value >> 16) & 0xFF),
                               char(value >> 24)};
        file.write(bytes, 4);
    }

    QTemporaryDir dir_;
};

TEST_F(GameStreamReaderTest, DataSizeBeyondTheFileReadsTheWholeBlocksOnly)
{
    const QString path = writeStream(3 * kFramesPerBlock);
    patch32(path, 48, 0xFFFFFFFFU);  // fact: unknown
    patch32(path, 56, 0xFFFFFFFFU);  // data: streaming writer's placeholder
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(QByteArray("TAG") + QByteArray(125, ' '));
    file.close();
    EXPECT_EQ(DecodeWithOurReader(path).size(), 3 * kFramesPerBlock * 2);
}

TEST_F(GameStreamReaderTest, OtherWaveFilesAreLeftToLibsndfile)
{
    const QString path = dir_.filePath(QStringLiteral("pcm.wav"));
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    const auto tone = Tone(100);
    sf_writef_short(file, tone.data(), 100);
    sf_close(file);
    EXPECT_EQ(GameStreamReader::open(path.toStdString()), nullptr);
}

}  // namespace
}  // namespace sonorelle::test
