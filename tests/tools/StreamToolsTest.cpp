#include "support/TestEnvironment.h"
#include "tools/AudioProbe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>

namespace sonorelle::test {
namespace {

constexpr double kSeconds = 3.0;
constexpr double kToneHz = 1000.0;
constexpr std::int64_t kMp3FrameSamples = 1152;

QString Tool(const char* name)
{
    return BinDir() + QLatin1Char('/') + QLatin1String(name);
}

// One kind of input the encoder must take: how to make it and how long its decoded
// audio must be once it is a 44 100 Hz stream.
struct InputKind {
    const char* name;
    int sampleRate;
    int channels;
    const char* soxOptions;  // sample format of the WAV that sox writes first
    const char* extension;
    QStringList (*encode)(const QString& wav, const QString& out);  // null: sox writes it
    bool lengthExact;  // false: the format does not record the encoder's delay and padding
    const char* waveform = "sine";
    const char* volume = "0.5";

    std::int64_t frames44k() const { return std::llround(kSeconds * 44100.0); }
};

QStringList LameWithHeader(const QString& wav, const QString& out)
{
    return {QStringLiteral("lame"), QStringLiteral("--quiet"), wav, out};
}

// At 22 050 Hz the default 32 kbit/s frames are too small for the header; lame leaves it out.
QStringList LameLowRateWithHeader(const QString& wav, const QString& out)
{
    return {QStringLiteral("lame"), QStringLiteral("--quiet"), QStringLiteral("-b"), QStringLiteral("64"), wav, out};
}

// ID3v2 before the audio and an ID3v1 record after it, as songs people add carry them.
QStringList LameWithTags(const QString& wav, const QString& out)
{
    return {QStringLiteral("lame"), QStringLiteral("--quiet"), QStringLiteral("--add-id3v2"),
            QStringLiteral("--tt"), QStringLiteral("Title"), QStringLiteral("--ta"), QStringLiteral("Artist"), wav, out};
}

QStringList LameWithoutHeader(const QString& wav, const QString& out)
{
    return {QStringLiteral("lame"), QStringLiteral("--quiet"), QStringLiteral("-t"), wav, out};
}

QStringList FfmpegMp2(const QString& wav, const QString& out)
{
    return {QStringLiteral("ffmpeg"), QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
            QStringLiteral("-i"), wav, QStringLiteral("-c:a"), QStringLiteral("mp2"), out};
}

void PrintTo(const InputKind& kind, std::ostream* out)
{
    *out << kind.name;
}

class StreamToolsTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }

    // A tone made by sox (and, for MP3/MP2, encoded by a real encoder), copied to a name
    // without a meaningful extension as the program hands it over.
    QString makeInput(const InputKind& kind)
    {
        const QString wav = path(QStringLiteral("tone.wav"));
        const QString made = path(QStringLiteral("tone.") + QLatin1String(kind.extension));
        QStringList sox{QStringLiteral("-n"), QStringLiteral("-r"), QString::number(kind.sampleRate),
                        QStringLiteral("-c"), QString::number(kind.channels)};
        sox += QString::fromLatin1(kind.soxOptions).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        sox << (kind.encode ? wav : made) << QStringLiteral("synth") << QString::number(kSeconds)
            << QLatin1String(kind.waveform) << QString::number(kToneHz) << QStringLiteral("vol")
            << QLatin1String(kind.volume);
        EXPECT_EQ(RunProcess(QStringLiteral("sox"), sox).exitCode, 0);
        if (kind.encode) {
            QStringList command = kind.encode(wav, made);
            const QString program = command.takeFirst();
            EXPECT_EQ(RunProcess(program, command).exitCode, 0);
        }
        const QString input = path(QStringLiteral("negotovo.!!!"));
        QFile::remove(input);
        EXPECT_TRUE(QFile::copy(made, input));
        return input;
    }

    // A 44 100 Hz stereo stream of a tone with different frequencies left and right.
    QString makeStream()
    {
        const QString wav = path(QStringLiteral("stereo.wav"));
        EXPECT_EQ(RunProcess(QStringLiteral("sox"),
                             {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("44100"),
                              QStringLiteral("-c"), QStringLiteral("2"), QStringLiteral("-b"),
                              QStringLiteral("16"), wav, QStringLiteral("synth"), QString::number(kSeconds),
                              QStringLiteral("sine"), QStringLiteral("440"), QStringLiteral("sine"),
                              QStringLiteral("1000"), QStringLiteral("vol"), QStringLiteral("0.5")})
                      .exitCode,
                  0);
        const QString stream = path(QStringLiteral("stereo.sng"));
        EXPECT_EQ(addon3({QStringLiteral("-pcstream"), wav, QStringLiteral("="), stream}).exitCode, 0);
        return stream;
    }

    ProcessResult addon3(const QStringList& arguments) { return RunProcess(Tool("addon3"), arguments); }

    QTemporaryDir dir_;
};

class EncodeInputTest : public StreamToolsTest, public ::testing::WithParamInterface<InputKind> {};

TEST_P(EncodeInputTest, StreamKeepsLengthAndToneAndDecodesToPcm)
{
    const InputKind& kind = GetParam();
    const QString input = makeInput(kind);
    const QString stream = path(QStringLiteral("gotovo.!!!"));
    const QString wav = path(QStringLiteral("playwav.wav"));

    const ProcessResult encoded = addon3({QStringLiteral("-pcstream"), input, QStringLiteral("="), stream});
    ASSERT_EQ(encoded.exitCode, 0) << encoded.standardError.toStdString();
    const DecodedAudio asStored = ReadAudio(stream);
    EXPECT_EQ(asStored.format, SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM);
    EXPECT_EQ(asStored.sampleRate, 44100);
    EXPECT_EQ(asStored.channels, 2);

    const ProcessResult decoded = addon3({QStringLiteral("-wave"), stream, QStringLiteral("="), wav});
    ASSERT_EQ(decoded.exitCode, 0) << decoded.standardError.toStdString();
    const DecodedAudio pcm = ReadAudio(wav);
    EXPECT_EQ(pcm.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(pcm.sampleRate, 44100);
    ASSERT_EQ(pcm.channels, 2);
    const auto frames = static_cast<std::int64_t>(pcm.frames());
    if (kind.lengthExact) {
        EXPECT_EQ(frames, kind.frames44k());
    } else {
        // Without a length header the decoder also returns the encoder's delay and the
        // padding of the last MPEG frame: less than three frames in all.
        EXPECT_GE(frames, kind.frames44k());
        EXPECT_LT(frames, kind.frames44k() + 3 * kMp3FrameSamples);
    }
    EXPECT_NEAR(pcm.frequency(0), kToneHz, 5.0);
    EXPECT_NEAR(pcm.frequency(1), kToneHz, 5.0);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, EncodeInputTest,
    ::testing::Values(
        InputKind{"Wav16", 44100, 2, "-b 16", "wav", nullptr, true},
        InputKind{"Wav8Mono22050", 22050, 1, "-b 8", "wav", nullptr, true},
        InputKind{"Wav24At48000", 48000, 2, "-b 24", "wav", nullptr, true},
        InputKind{"Aiff", 44100, 2, "-b 16", "aiff", nullptr, true},
        InputKind{"FlacMono", 44100, 1, "-b 16", "flac", nullptr, true},
        InputKind{"Ogg", 44100, 2, "", "ogg", nullptr, true},
        InputKind{"Mp3Gapless", 44100, 2, "-b 16", "mp3", LameWithHeader, true},
        InputKind{"Mp3WithTags", 44100, 2, "-b 16", "mp3", LameWithTags, true},
        // Decoded MP3 overshoots full scale; wrapped peaks would add zero crossings.
        InputKind{"Mp3LoudSquare", 44100, 2, "-b 16", "mp3", LameWithHeader, true, "square", "0.999"},
        InputKind{"Mp3WithoutHeader", 44100, 2, "-b 16", "mp3", LameWithoutHeader, false},
        InputKind{"Mp3Mono22050", 22050, 1, "-b 16", "mp3", LameLowRateWithHeader, true},
        InputKind{"Mp2", 44100, 2, "-b 16", "mp2", FfmpegMp2, false}),
    [](const ::testing::TestParamInfo<InputKind>& paramInfo) { return std::string(paramInfo.param.name); });

TEST_F(StreamToolsTest, TagRecordAfterTheAudioIsNeverDecoded)
{
    const QString stream = makeStream();
    const QString tagged = path(QStringLiteral("tagged.sng"));
    ASSERT_TRUE(QFile::copy(stream, tagged));
    QFile file(tagged);
    ASSERT_TRUE(file.open(QIODevice::Append));
    QByteArray tag("TAG");
    tag += QByteArray(30, 'T') + QByteArray(30, 'A') + QByteArray(30, 'B') + "2009" + QByteArray(30, 'C');
    tag += char(7);
    ASSERT_EQ(tag.size(), 128);
    file.write(tag);
    file.close();

    const QString plainWav = path(QStringLiteral("plain.wav"));
    const QString taggedWav = path(QStringLiteral("tagged.wav"));
    ASSERT_EQ(addon3({QStringLiteral("-wave"), stream, QStringLiteral("="), plainWav}).exitCode, 0);
    ASSERT_EQ(addon3({QStringLiteral("-wave"), tagged, QStringLiteral("="), taggedWav}).exitCode, 0);
    QFile plain(plainWav);
    QFile withTag(taggedWav);
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    ASSERT_TRUE(withTag.open(QIODevice::ReadOnly));
    EXPECT_EQ(plain.readAll(), withTag.readAll());

    EXPECT_EQ(ReadAudio(taggedWav).frames(), 132300U);

    // A tagged stream given to the encoder again keeps its length too.
    const QString again = path(QStringLiteral("again.sng"));
    const QString againWav = path(QStringLiteral("again.wav"));
    ASSERT_EQ(addon3({QStringLiteral("-pcstream"), tagged, QStringLiteral("="), again}).exitCode, 0);
    ASSERT_EQ(addon3({QStringLiteral("-wave"), again, QStringLiteral("="), againWav}).exitCode, 0);
    EXPECT_EQ(ReadAudio(againWav).frames(), 132300U);
}

TEST_F(StreamToolsTest, DamagedMp3GivesOneLineOrNoneButNeverTheDecodersNotes)
{
    const InputKind kind{"Mp3", 44100, 2, "-b 16", "mp3", LameWithHeader, true};
    const QString input = makeInput(kind);
    QByteArray junk(8000, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 151 + 89) % 251);  // never a frame's sync byte
    QFile file(input);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray mp3 = file.readAll();
    file.close();
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile out(path(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return out.fileName();
    };

    // A short burst: the decoder skips to the next frame and says so on stderr; we do not.
    const QString burst = write(QStringLiteral("burst.mp3"), mp3.left(mp3.size() / 3) + junk.left(300) +
                                                              mp3.mid(mp3.size() / 3 + 300));
    const ProcessResult resynced = addon3({QStringLiteral("-pcstream"), burst, QStringLiteral("="), path(QStringLiteral("a.sng"))});
    EXPECT_EQ(resynced.exitCode, 0);
    EXPECT_TRUE(resynced.standardError.isEmpty()) << resynced.standardError.toStdString();

    // Junk after the first frames: the decoder gives up, and so does the encoder, with one line.
    const QString broken = write(QStringLiteral("broken.mp3"), mp3.left(2000) + junk);
    const ProcessResult failed = addon3({QStringLiteral("-pcstream"), broken, QStringLiteral("="), path(QStringLiteral("b.sng"))});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.standardError.count(QLatin1Char('\n')), 1) << failed.standardError.toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("b.sng"))));
}

TEST_F(StreamToolsTest, StereoChannelsStayApartThroughStreamAndMp3)
{
    const QString stream = makeStream();
    const QString wav = path(QStringLiteral("playwav.wav"));
    const QString mp3 = path(QStringLiteral("playwav.mp3"));
    ASSERT_EQ(addon3({QStringLiteral("-wave"), stream, QStringLiteral("="), wav}).exitCode, 0);
    const ProcessResult encoded = RunProcess(Tool("addon1"), {QStringLiteral("--preset"), QStringLiteral("cd"), wav, mp3});
    ASSERT_EQ(encoded.exitCode, 0) << encoded.standardError.toStdString();

    const ProcessResult probe = RunProcess(
        QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                                    QStringLiteral("stream=codec_name,bit_rate"), QStringLiteral("-of"),
                                    QStringLiteral("compact"), mp3});
    EXPECT_EQ(probe.standardOutput.trimmed(), QStringLiteral("stream|codec_name=mp3|bit_rate=192000"));

    // A decoder that honours the gapless header gives back exactly the source's length.
    const QString back = path(QStringLiteral("back.wav"));
    ASSERT_EQ(RunProcess(QStringLiteral("ffmpeg"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"),
                                                    mp3, back})
                  .exitCode,
              0);
    const DecodedAudio source = ReadAudio(wav);
    const DecodedAudio decoded = ReadAudio(back);
    EXPECT_EQ(decoded.frames(), source.frames());
    EXPECT_EQ(ReadAudio(mp3).frames(), source.frames());
    ASSERT_EQ(decoded.channels, 2);
    EXPECT_NEAR(decoded.frequency(0), 440.0, 3.0);
    EXPECT_NEAR(decoded.frequency(1), 1000.0, 5.0);
}

TEST_F(StreamToolsTest, ViewerPrintsTheStreamAndWritesPlaywavBesideIt)
{
    const QString stream = makeStream();
    const ProcessResult viewed = RunProcess(Tool("sndview"), {stream});
    ASSERT_EQ(viewed.exitCode, 0) << viewed.standardError.toStdString();
    EXPECT_TRUE(viewed.standardOutput.contains(QStringLiteral("IMA ADPCM")));
    EXPECT_TRUE(viewed.standardOutput.contains(QStringLiteral("sample rate: 44100 Hz")));
    EXPECT_TRUE(viewed.standardOutput.contains(QStringLiteral("channels: 2")));
    EXPECT_TRUE(viewed.standardOutput.contains(QStringLiteral("frames: 132300")));
    EXPECT_TRUE(viewed.standardOutput.contains(QStringLiteral("duration: 3.000 s")));
    const DecodedAudio pcm = ReadAudio(path(QStringLiteral("playwav.wav")));
    EXPECT_EQ(pcm.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(pcm.frames(), 132300U);
}

// A failing run: exit code, exactly one line on stderr, and nothing new in the folder.
struct FailingRun {
    const char* name;
    const char* tool;
    QStringList (*arguments)(const QString& folder);
    int exitCode;
    bool diskFull = false;  // run with a file-size limit far below the output's size
};

void PrintTo(const FailingRun& run, std::ostream* out)
{
    *out << run.name;
}

class FailingRunTest : public StreamToolsTest, public ::testing::WithParamInterface<FailingRun> {};

TEST_P(FailingRunTest, ReportsOneLineAndLeavesNoOutput)
{
    const QString folder = dir_.path();
    QFile text(path(QStringLiteral("notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray("These are not audio samples, only a few words of text.\n").repeated(20));
    text.close();
    ASSERT_TRUE(QFile::copy(QStringLiteral(SONORELLE_SOURCE_DIR "/CMakeLists.txt"), path(QStringLiteral("file"))));
    ASSERT_EQ(RunProcess(QStringLiteral("sox"), {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("44100"),
                                                 QStringLiteral("-c"), QStringLiteral("2"), path(QStringLiteral("empty.wav")),
                                                 QStringLiteral("trim"), QStringLiteral("0"), QStringLiteral("0")})
                  .exitCode,
              0);
    makeStream();
    const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    QStringList arguments = GetParam().arguments(folder);
    QString program = Tool(GetParam().tool);
    if (GetParam().diskFull) {
        arguments = QStringList{QStringLiteral("-c"), QStringLiteral("ulimit -f 16; exec \"$0\" \"$@\""), program} + arguments;
        program = QStringLiteral("/bin/sh");
    }
    const ProcessResult run = RunProcess(program, arguments);
    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    EXPECT_EQ(run.standardError.count(QLatin1Char('\n')), 1) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardOutput.isEmpty());
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

QString In(const QString& folder, const char* name)
{
    return folder + QLatin1Char('/') + QLatin1String(name);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailingRunTest,
    ::testing::Values(
        FailingRun{"MissingInput", "addon3",
                   [](const QString& f) { return QStringList{QStringLiteral("-pcstream"), In(f, "nothing.mp3"), QStringLiteral("="), In(f, "out")}; }, 1},
        FailingRun{"TextAsInput", "addon3",
                   [](const QString& f) { return QStringList{QStringLiteral("-pcstream"), In(f, "notes.txt"), QStringLiteral("="), In(f, "out")}; }, 1},
        FailingRun{"TextAsStream", "addon3",
                   [](const QString& f) { return QStringList{QStringLiteral("-wave"), In(f, "notes.txt"), QStringLiteral("="), In(f, "out.wav")}; }, 1},
        FailingRun{"InputWithoutAudio", "addon3",
                   [](const QString& f) { return QStringList{QStringLiteral("-pcstream"), In(f, "empty.wav"), QStringLiteral("="), In(f, "out")}; }, 1},
        FailingRun{"OutputFolderMissing", "addon3",
                   [](const QString& f) { return QStringList{QStringLiteral("-wave"), In(f, "stereo.sng"), QStringLiteral("="), In(f, "gone/out.wav")}; }, 1},
        FailingRun{"OutputFolderIsAFile", "addon3",
                   [](const QString& f) { return QStringList{QStringLiteral("-pcstream"), In(f, "stereo.sng"), QStringLiteral("="), In(f, "file/out")}; }, 1},
        FailingRun{"OutputIsAFolder", "addon3",
                   [](const QString& f) { return QStringList{QStringLiteral("-wave"), In(f, "stereo.sng"), QStringLiteral("="), f}; }, 1},
        FailingRun{"DiskFullWhileEncoding", "addon3",
                   [](const QString& f) { return QStringList{QStringLiteral("-pcstream"), In(f, "stereo.wav"), QStringLiteral("="), In(f, "out")}; }, 1, true},
        FailingRun{"DiskFullWhileDecoding", "addon3",
                   [](const QString& f) { return QStringList{QStringLiteral("-wave"), In(f, "stereo.sng"), QStringLiteral("="), In(f, "out.wav")}; }, 1, true},
        FailingRun{"DiskFullWhileEncodingMp3", "addon1",
                   [](const QString& f) { return QStringList{QStringLiteral("--preset"), QStringLiteral("cd"), In(f, "stereo.wav"), In(f, "out.mp3")}; }, 1, true},
        FailingRun{"MissingEquals", "addon3",
                   [](const QString& f) { return QStringList{QStringLiteral("-wave"), In(f, "stereo.sng"), In(f, "out.wav")}; }, 2},
        FailingRun{"EqualsInWrongPlace", "addon3",
                   [](const QString& f) { return QStringList{QStringLiteral("-wave"), In(f, "stereo.sng"), In(f, "out.wav"), QStringLiteral("=")}; }, 2},
        FailingRun{"ExtraArgument", "addon3",
                   [](const QString& f) { return QStringList{QStringLiteral("-wave"), In(f, "stereo.sng"), QStringLiteral("="), In(f, "out.wav"), In(f, "more")}; }, 2},
        FailingRun{"UnknownSwitch", "addon3",
                   [](const QString& f) { return QStringList{QStringLiteral("-mp3"), In(f, "stereo.sng"), QStringLiteral("="), In(f, "out.wav")}; }, 2},
        FailingRun{"Mp3FromText", "addon1",
                   [](const QString& f) { return QStringList{QStringLiteral("--preset"), QStringLiteral("cd"), In(f, "notes.txt"), In(f, "out.mp3")}; }, 1},
        FailingRun{"Mp3WithoutPreset", "addon1",
                   [](const QString& f) { return QStringList{In(f, "stereo.sng"), In(f, "out.mp3")}; }, 2},
        FailingRun{"Mp3IntoMissingFolder", "addon1",
                   [](const QString& f) { return QStringList{QStringLiteral("--preset"), QStringLiteral("cd"), In(f, "stereo.sng"), In(f, "gone/out.mp3")}; }, 1},
        FailingRun{"ViewMissingStream", "sndview",
                   [](const QString& f) { return QStringList{In(f, "nothing.sng")}; }, 1},
        FailingRun{"ViewTwoStreams", "sndview",
                   [](const QString& f) { return QStringList{In(f, "stereo.sng"), In(f, "stereo.sng")}; }, 2}),
    [](const ::testing::TestParamInfo<FailingRun>& paramInfo) { return std::string(paramInfo.param.name); });

}  // namespace
}  // namespace sonorelle::test
