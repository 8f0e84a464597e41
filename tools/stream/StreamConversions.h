#pragma once

#include <cstdint>
#include <string>

namespace sonorelle {

struct AudioSummary {
    std::string format;
    int sampleRate = 0;
    int channels = 0;
    std::int64_t frames = 0;
};

// Any readable audio file to a game stream.
AudioSummary EncodeToGameStream(const std::string& input, const std::string& output);

// A game stream (or any readable audio) to 16-bit PCM WAVE, cut to the stream's true length.
AudioSummary DecodeToPcmWav(const std::string& input, const std::string& output);

// Any readable audio to MP3 at 192 kbit/s CBR with a gapless (LAME/Info) header.
AudioSummary EncodeToMp3(const std::string& input, const std::string& output);

} // namespace sonorelle
