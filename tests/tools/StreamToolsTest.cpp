#include "stream/GameStreamReader.h"
#include "stream/GameStreamWriter.h"
#include "stream/ToneGenerator.h"
#include "support/NamedRows.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace sonorelle::test {
namespace {

using test::PrintTo;

// Audio as libsndfile (not our decoder) reads it back.
struct DecodedAudio {
    int sampleRate = 0;
    int channels = 0;
    int format = 0;
    std::vector<std::int16_t> samples;

    std::size_t frames() const { return channels ? samples.size() / static_cast<std::size_t>(channels) : 0; }

    // Tone frequency of one channel from its zero crossings, ignoring the first and last
    // tenth where encoders fade in and pad.
    double frequency(int channel) const
    {
        const std::size_t first = frames() / 10;
        const std::size_t last = frames() - frames() / 10;
        const auto at = [&](std::size_t frame) { return samples[frame * static_cast<std::size_t>(channels) + static_cast<std::size_t>(channel)]; };
        int crossings = 0;
        for (std::size_t frame = first + 1; frame < last; ++frame)
            crossings += (at(frame - 1) < 0) != (at(frame) < 0) ? 1 : 0;
        return crossings / 2.0 * sampleRate / static_cast<double>(last - first);
    }
};

DecodedAudio ReadAudio(const QString& path)
{
    DecodedAudio audio;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_READ, &info);
    if (!file)
        return audio;
    audio.sampleRate = info.samplerate;
    audio.channels = info.channels;
    audio.format = info.format;
    std::vector<std::int16_t> chunk(65536 * static_cast<std::size_t>(info.channels));
    while (const sf_count_t got = sf_readf_short(file, chunk.data(), 65536))
        audio.samples.insert(audio.samples.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got * info.channels));
    sf_close(file);
    return audio;
}

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

constexpr double kToneHz = 1000.0;
constexpr std::size_t kFrames = 132300;  // 3 s at 44 100 Hz
constexpr std::size_t kMp3FrameSamples = 1152;

class StreamToolsTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }

    // A command line of blank-separated words: the program (one of ours if the build has
    // it), then its arguments, where a leading @ stands for this test's folder.
    QStringList command(const QString& text) const
    {
        QStringList words = text.split(u' ', Qt::SkipEmptyParts);
        for (QString& word : words) {
            if (word.startsWith(u'@'))
                word = path(word.mid(1));
        }
        if (QFile::exists(Tool(words[0].toLatin1().constData())))
            words[0] = Tool(words[0].toLatin1().constData());
        return words;
    }

    ToolRun run(const QString& text) const
    {
        QStringList arguments = command(text);
        const QString program = arguments.takeFirst();
        return RunToEnd(program, arguments);
    }

    // A 44 100 Hz stereo stream @stereo.sng of a 440 Hz tone left and 1000 Hz right.
    QString makeStream() const
    {
        EXPECT_TRUE(run("sox -n -r 44100 -c 2 -b 16 @stereo.wav synth 3 sine 440 sine 1000 vol 0.5").Ok());
        EXPECT_TRUE(run("addon3 -pcstream @stereo.wav = @stereo.sng").Ok());
        return path(QStringLiteral("stereo.sng"));
    }

    QTemporaryDir dir_;
};

// An input the encoder must take: sox's format options, the file type, the real encoder
// that makes it from sox's WAV (null: sox writes it), and whether its decoded length is exact.
struct InputKind {
    const char* name;
    const char* soxFormat;
    const char* extension;
    const char* encoder;
    bool lengthExact;  // false: the format does not record the encoder's delay and padding
    const char* synth = "sine 1000 vol 0.5";
};

class EncodeInputTest : public StreamToolsTest, public ::testing::WithParamInterface<InputKind> {};

TEST_P(EncodeInputTest, StreamKeepsLengthAndToneAndDecodesToPcm)
{
    const InputKind& kind = GetParam();
    const QString made = QStringLiteral("tone.") + QLatin1String(kind.extension);
    ASSERT_TRUE(run(QStringLiteral("sox -n %1 @%2 synth 3 %3").arg(QLatin1String(kind.soxFormat),
        kind.encoder ? QStringLiteral("tone.wav") : made, QLatin1String(kind.synth))).Ok());
    if (kind.encoder) {
        ASSERT_TRUE(run(kind.encoder).Ok());
    }
    // The program hands the file over under a name without a meaningful extension.
    ASSERT_TRUE(QFile::copy(path(made), path(QStringLiteral("negotovo.!!!"))));

    const ToolRun encoded = run("addon3 -pcstream @negotovo.!!! = @gotovo.!!!");
    ASSERT_TRUE(encoded.Ok()) << encoded.err.toStdString();
    EXPECT_EQ(ReadAudio(path(QStringLiteral("gotovo.!!!"))).format, SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM);

    // -wave keeps the stream's rate and channels, so they show in its output.
    const ToolRun decoded = run("addon3 -wave @gotovo.!!! = @playwav.wav");
    ASSERT_TRUE(decoded.Ok()) << decoded.err.toStdString();
    const DecodedAudio pcm = ReadAudio(path(QStringLiteral("playwav.wav")));
    EXPECT_EQ(pcm.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(pcm.sampleRate, 44100);
    ASSERT_EQ(pcm.channels, 2);
    if (kind.lengthExact) {
        EXPECT_EQ(pcm.frames(), kFrames);
    } else {
        // The decoder also returns the encoder's delay and the last frame's padding.
        EXPECT_GE(pcm.frames(), kFrames);
        EXPECT_LT(pcm.frames(), kFrames + 3 * kMp3FrameSamples);
    }
    EXPECT_NEAR(pcm.frequency(0), kToneHz, 5.0);
    EXPECT_NEAR(pcm.frequency(1), kToneHz, 5.0);
}

INSTANTIATE_TEST_SUITE_P(Inputs, EncodeInputTest, ::testing::Values(
    InputKind{"Wav16", "-r 44100 -c 2 -b 16", "wav", nullptr, true},
    InputKind{"Wav8Mono22050", "-r 22050 -c 1 -b 8", "wav", nullptr, true},
    InputKind{"Wav24At48000", "-r 48000 -c 2 -b 24", "wav", nullptr, true},
    InputKind{"FlacMono", "-r 44100 -c 1 -b 16", "flac", nullptr, true},
    InputKind{"Ogg", "-r 44100 -c 2", "ogg", nullptr, true},
    // Decoded MP3 overshoots full scale; wrapped peaks would add zero crossings.
    InputKind{"Mp3LoudSquare", "-r 44100 -c 2 -b 16", "mp3", "lame --quiet @tone.wav @tone.mp3", true, "square 1000 vol 0.999"},
    InputKind{"Mp3WithoutHeader", "-r 44100 -c 2 -b 16", "mp3", "lame --quiet -t @tone.wav @tone.mp3", false},
    // At 22 050 Hz lame's default frames are too small for the length header.
    InputKind{"Mp3Mono22050", "-r 22050 -c 1 -b 16", "mp3", "lame --quiet -b 64 @tone.wav @tone.mp3", true}),
    [](const ::testing::TestParamInfo<InputKind>& paramInfo) { return std::string(paramInfo.param.name); });

TEST_F(StreamToolsTest, DamagedMp3GivesOneLineOrNoneButNeverTheDecodersNotes)
{
    ASSERT_TRUE(run("sox -n -r 44100 -c 2 -b 16 @tone.wav synth 3 sine 1000 vol 0.5").Ok());
    ASSERT_TRUE(run("lame --quiet @tone.wav @tone.mp3").Ok());
    const QByteArray mp3 = ReadFile(path(QStringLiteral("tone.mp3")));
    QByteArray junk(8000, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 151 + 89) % 251);  // never a frame's sync byte

    // A short burst: the decoder skips to the next frame and says so on stderr; we do not.
    WriteFile(path(QStringLiteral("burst.mp3")), mp3.left(mp3.size() / 3) + junk.left(300) + mp3.mid(mp3.size() / 3 + 300));
    const ToolRun resynced = run("addon3 -pcstream @burst.mp3 = @a.sng");
    EXPECT_TRUE(resynced.Ok());
    EXPECT_TRUE(resynced.err.isEmpty()) << resynced.err.toStdString();

    // Junk after the first frames: the decoder gives up, and so does the encoder, with one line.
    WriteFile(path(QStringLiteral("broken.mp3")), mp3.left(2000) + junk);
    const ToolRun failed = run("addon3 -pcstream @broken.mp3 = @b.sng");
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.OneLineError()) << failed.err.toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("b.sng"))));
}

// The export road: the viewer decodes the stream to playwav.wav beside it, addon1 encodes that.
TEST_F(StreamToolsTest, ViewerAndMp3EncoderKeepLengthAndStereoChannelsApart)
{
    makeStream();
    const ToolRun viewed = run("sndview @stereo.sng");
    ASSERT_TRUE(viewed.Ok()) << viewed.err.toStdString();
    for (const char* fact : {"IMA ADPCM", "sample rate: 44100 Hz", "channels: 2", "frames: 132300", "duration: 3.000 s"})
        EXPECT_TRUE(viewed.out.contains(fact)) << fact;
    const DecodedAudio pcm = ReadAudio(path(QStringLiteral("playwav.wav")));
    EXPECT_EQ(pcm.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);

    const ToolRun encoded = run("addon1 --preset cd @playwav.wav @playwav.mp3");
    ASSERT_TRUE(encoded.Ok()) << encoded.err.toStdString();
    // A decoder that honours the gapless header gives back exactly the source's length.
    ASSERT_TRUE(run("ffmpeg -v error -i @playwav.mp3 @back.wav").Ok());
    const DecodedAudio decoded = ReadAudio(path(QStringLiteral("back.wav")));
    EXPECT_EQ(decoded.frames(), kFrames);
    ASSERT_EQ(decoded.channels, 2);
    EXPECT_NEAR(decoded.frequency(0), 440.0, 3.0);
    EXPECT_NEAR(decoded.frequency(1), 1000.0, 5.0);
}

struct FailingRun {
    const char* name;
    const char* command;
    int exitCode;
    bool diskFull = false;  // run with a file-size limit far below the output's size
};

class FailingRunTest : public StreamToolsTest, public ::testing::WithParamInterface<FailingRun> {};

TEST_P(FailingRunTest, ReportsOneLineAndLeavesNoOutput)
{
    ASSERT_TRUE(run("sox -n -r 44100 -c 2 @empty.wav trim 0 0").Ok());
    const QString stream = makeStream();
    ASSERT_TRUE(run("ln @stereo.sng @hard.sng").Ok());
    const QByteArray streamBytes = ReadFile(stream);
    const auto entries = [&] { return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); };
    const QStringList before = entries();

    QStringList arguments = command(QString::fromUtf8(GetParam().command));
    if (GetParam().diskFull)
        arguments = QStringList{QStringLiteral("/bin/sh"), QStringLiteral("-c"), QStringLiteral("ulimit -f 16; exec \"$0\" \"$@\"")} + arguments;
    const QString program = arguments.takeFirst();
    const ToolRun failed = RunToEnd(program, arguments);
    EXPECT_EQ(failed.exitCode, GetParam().exitCode);
    EXPECT_TRUE(failed.OneLineError()) << failed.err.toStdString();
    EXPECT_TRUE(failed.out.isEmpty());
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(ReadFile(stream), streamBytes);
}

INSTANTIATE_TEST_SUITE_P(Failures, FailingRunTest, ::testing::Values(
    FailingRun{"MissingInput", "addon3 -pcstream @nothing.mp3 = @out", 1},
    FailingRun{"InputWithoutAudio", "addon3 -pcstream @empty.wav = @out", 1},
    FailingRun{"OutputFolderMissing", "addon3 -wave @stereo.sng = @gone/out.wav", 1},
    FailingRun{"OutputIsAFolder", "addon3 -wave @stereo.sng = @", 1},
    FailingRun{"DiskFullWhileEncoding", "addon3 -pcstream @stereo.wav = @out", 1, true},
    FailingRun{"DiskFullWhileEncodingMp3", "addon1 --preset cd @stereo.wav @out.mp3", 1, true},
    FailingRun{"OutputIsAHardLinkOfTheInput", "addon3 -wave @hard.sng = @stereo.sng", 1},
    FailingRun{"MissingEquals", "addon3 -wave @stereo.sng @out.wav", 2},
    FailingRun{"EqualsInWrongPlace", "addon3 -wave @stereo.sng @out.wav =", 2},
    FailingRun{"UnknownSwitch", "addon3 -mp3 @stereo.sng = @out.wav", 2},
    FailingRun{"Mp3WithoutPreset", "addon1 @stereo.sng @out.mp3", 2},
    FailingRun{"Mp3IntoMissingFolder", "addon1 --preset cd @stereo.sng @gone/out.mp3", 1},
    FailingRun{"ViewMissingStream", "sndview @nothing.sng", 1},
    FailingRun{"ViewTwoStreams", "sndview @stereo.sng @stereo.sng", 2}),
    [](const ::testing::TestParamInfo<FailingRun>& paramInfo) { return std::string(paramInfo.param.name); });

}  // namespace
}  // namespace sonorelle::test
