#include "stream/StreamConversions.h"

#include "stream/GameFormatSource.h"
#include "stream/GameStreamWriter.h"
#include "stream/ImaAdpcmLayout.h"
#include "stream/PcmWavWriter.h"
#include "stream/PrefetchingSource.h"
#include "stream/SndfileOutput.h"
#include "stream/StreamError.h"

#include <sndfile.h>

#include <vector>

namespace sonorelle {
namespace {

// Whole stream blocks, so the encoder mostly encodes straight from the chunk.
constexpr std::size_t kChunkFrames = GameStreamFormat::layout().framesPerBlock() * 16;

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
    PrefetchingSource source(std::make_unique<GameFormatSource>(PcmSource::open(input)));
    GameStreamWriter writer(output);
    const std::int64_t frames = Pump(source, input, [&](const std::int16_t* chunk, std::size_t count) {
        writer.write(chunk, count);
    });
    writer.finish();
    return Describe(source, frames);
}

AudioSummary DecodeToPcmWav(const std::string& input, const std::string& output)
{
    auto source = std::make_unique<PrefetchingSource>(PcmSource::open(input));
    PcmWavWriter writer(output, source->channels(), source->sampleRate());
    const std::int64_t frames = Pump(*source, input, [&](const std::int16_t* chunk, std::size_t count) {
        writer.write(chunk, count);
    });
    writer.finish();
    return Describe(*source, frames);
}

AudioSummary EncodeToMp3(const std::string& input, const std::string& output)
{
    auto source = std::make_unique<PrefetchingSource>(PcmSource::open(input));
    if (source->channels() > 2)
        throw StreamError("'" + input + "' has more than two channels");
    SF_INFO info{};
    info.samplerate = source->sampleRate();
    info.channels = source->channels();
    info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    SndfileOutput mp3(output, info);
    // The bitrate mode must be set before the level; 0.4444 maps to 192 kbit/s.
    int mode = SF_BITRATE_MODE_CONSTANT;
    double level = 0.4444;
    sf_command(mp3.handle(), SFC_SET_BITRATE_MODE, &mode, sizeof mode);
    sf_command(mp3.handle(), SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);

    // Ints, not shorts: libsndfile 1.2.0 garbles stereo MP3 written as shorts.
    std::vector<int> wide;
    const std::int64_t frames = Pump(*source, input, [&](const std::int16_t* chunk, std::size_t count) {
        const std::size_t samples = count * static_cast<std::size_t>(info.channels);
        wide.resize(samples);
        for (std::size_t i = 0; i < samples; ++i)
            wide[i] = chunk[i] * 65536;
        sf_writef_int(mp3.handle(), wide.data(), static_cast<sf_count_t>(count));
    });
    mp3.close();
    return Describe(*source, frames);
}

} // namespace sonorelle
