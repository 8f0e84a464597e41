#pragma once

#include <QString>

#include <sndfile.h>

#include <cstdint>
#include <vector>

namespace sonorelle::test {

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

inline DecodedAudio ReadAudio(const QString& path)
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

}  // namespace sonorelle::test
