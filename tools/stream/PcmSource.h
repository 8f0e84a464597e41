#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace sonorelle {

// Audio read as interleaved 16-bit frames, whatever the file holds.
class PcmSource {
public:
    virtual ~PcmSource() = default;

    virtual int channels() const = 0;
    virtual int sampleRate() const = 0;
    // Frames the file says it holds; for some formats (MP3 without a length header) an
    // estimate until read to the end.
    virtual std::int64_t frames() const = 0;
    virtual std::string formatName() const = 0;
    // Reads up to maxFrames frames; 0 means the end.
    virtual std::size_t read(std::int16_t* interleaved, std::size_t maxFrames) = 0;

    // A game stream (any IMA ADPCM WAVE) is decoded by our own reader, which honours the
    // frame count in `fact`; everything else goes through libsndfile, whose formats are
    // recognised by content, not by the file's name.
    static std::unique_ptr<PcmSource> open(const std::string& path);
};

} // namespace sonorelle
