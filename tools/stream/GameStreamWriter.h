#pragma once

#include "stream/AtomicOutputFile.h"
#include "stream/ImaAdpcmEncoder.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace sonorelle {

// Writes a game stream: RIFF/WAVE, IMA ADPCM, 44 100 Hz stereo, whose `fact` chunk holds
// the true frame count (the last block is padded with silence). The file appears under
// its name only once finish() succeeds.
class GameStreamWriter {
public:
    explicit GameStreamWriter(const std::string& path);

    // Appends interleaved stereo 44 100 Hz frames.
    void write(const std::int16_t* frames, std::size_t frameCount);
    void finish();

    std::uint64_t framesWritten() const { return frames_; }

    // Writes a whole stream from interleaved stereo 44 100 Hz samples in memory.
    static void writeFile(const std::string& path, std::span<const std::int16_t> interleaved);

private:
    void encodeBlock(const std::int16_t* frames);
    std::vector<std::uint8_t> header(std::uint32_t dataBytes) const;

    AtomicOutputFile file_;
    ImaAdpcmEncoder encoder_;
    std::vector<std::int16_t> pending_;
    std::vector<std::uint8_t> block_;
    std::uint64_t frames_ = 0;
    std::uint64_t dataBytes_ = 0;
};

} // namespace sonorelle
