#pragma once

#include <cstddef>
#include <cstdint>

namespace sonorelle {

// Block geometry of Microsoft IMA ADPCM: per channel a 4-byte header holding the first
// sample and the step index, then the channels' codes interleaved in 4-byte groups of
// eight samples.
struct ImaAdpcmLayout {
    int channels = 2;
    std::size_t blockBytes = 2048;

    constexpr std::size_t headerBytes() const { return 4 * static_cast<std::size_t>(channels); }
    constexpr std::size_t groupBytes() const { return 4 * static_cast<std::size_t>(channels); }
    constexpr std::size_t framesPerBlock() const { return framesInBytes(blockBytes); }

    // Frames a block of this many bytes holds; a cut final block keeps its whole groups.
    constexpr std::size_t framesInBytes(std::size_t bytes) const
    {
        if (bytes < headerBytes())
            return 0;
        return 1 + (bytes - headerBytes()) / groupBytes() * 8;
    }

    constexpr bool valid() const
    {
        return channels >= 1 && channels <= 8 && blockBytes > headerBytes() &&
               blockBytes % groupBytes() == 0;
    }
};

// The game's stream: 44 100 Hz stereo IMA ADPCM in 2048-byte blocks (2041 frames each),
// the block size libsndfile chooses for this rate.
struct GameStreamFormat {
    static constexpr int kSampleRate = 44100;
    static constexpr int kChannels = 2;
    static constexpr std::size_t kBlockBytes = 2048;
    static constexpr ImaAdpcmLayout layout() { return ImaAdpcmLayout{kChannels, kBlockBytes}; }
};

} // namespace sonorelle
