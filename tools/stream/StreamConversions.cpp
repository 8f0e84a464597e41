#include "stream/StreamConversions.h"

#include "stream/AtomicOutputFile.h"
#include "stream/GameFormatSource.h"
#include "stream/GameStreamWriter.h"
#include "stream/PcmWavWriter.h"
#include "stream/StreamError.h"

#include <sndfile.h>

#include <vector>

namespace sonorelle {
namespace {

constexpr std::size_t kChunkFrames = 2041 * 16;

AudioSummary Describe(const PcmSource& source, std::int64_t frames)
{
    return AudioSummary{source.formatName(), source.sampleRate(), source.channels(), frames};
}

// Feeds every frame of the source to `sink` in chunks; returns the frame count.
template <typename Sink>
std::int64_t Pump(PcmSource& source, const std::string& input, Sink&& sink)
{
    std::vector<std::int16_t> chunk(kChunkFrames * static_cast<std::size_t>(source.channels()));
    std::int64_t total = 0;
    while (const std::size_t got = source.read(chunk.data(), kChunkFrames)) {
        sink(chunk.data(), got);
        total += static_cast<std::int64_t>(got);
    }
    if (total == 0)
        throw StreamError("'" + input + "' holds no audio");
    return total;
}

} // namespace

AudioSummary EncodeToGameStream(const std::string& input, const std::string& output)
{
    GameFormatSource source(PcmSource::open(input));
    GameStreamWriter writer(output);
    const std::int64_t frames = Pump(source, input, [&](const std::int16_t* chunk, std::size_t count) {
        writer.write(chunk, count);
    });
    writer.finish();
    return Describe(source, frames);
}

AudioSummary DecodeToPcmWav(const std::string& input, const std::string& output)
{
    auto source = PcmSource::open(input);
    PcmWavWriter writer(output, source->channels(), source->sampleRate());
    const std::int64_t frames = Pump(*source, input, [&](const std::int16_t* chunk, std::size_t count) {
        writer.write(chunk, count);
    });
    writer.finish();
    return Describe(*source, frames);
}

AudioSummary EncodeToMp3(const std::string& input, const std::string& output)
{
    auto source = PcmSource::open(input);
    if (source->channels() > 2)
        throw StreamError("'" + input + "' has more than two channels");
    AtomicOutputFile file(output);
    SF_INFO info{};
    info.samplerate = source->sampleRate();
    info.channels = source->channels();
    info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    SNDFILE* mp3 = sf_open_fd(file.descriptor(), SFM_WRITE, &info, SF_FALSE);
    if (!mp3)
        throw StreamError("cannot encode MP3 at this rate: " + std::string(sf_strerror(nullptr)));
    // The bitrate mode must be set before the level; 0.4444 maps to 192 kbit/s.
    int mode = SF_BITRATE_MODE_CONSTANT;
    double level = 0.4444;
    sf_command(mp3, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
    sf_command(mp3, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);

    // Ints, not shorts: libsndfile 1.2.0 garbles stereo MP3 written as shorts.
    std::vector<int> wide;
    bool failed = false;
    std::int64_t frames = 0;
    try {
        frames = Pump(*source, input, [&](const std::int16_t* chunk, std::size_t count) {
            const std::size_t samples = count * static_cast<std::size_t>(info.channels);
            wide.resize(samples);
            for (std::size_t i = 0; i < samples; ++i)
                wide[i] = chunk[i] * 65536;
            if (sf_writef_int(mp3, wide.data(), static_cast<sf_count_t>(count)) != static_cast<sf_count_t>(count))
                failed = true;
        });
    } catch (...) {
        sf_close(mp3);
        throw;
    }
    const std::string error = sf_strerror(mp3);
    if (sf_close(mp3) != 0 || failed)
        throw StreamError("cannot write '" + output + "': " + error);
    file.commit();
    return Describe(*source, frames);
}

} // namespace sonorelle
