#pragma once

#include "stream/AtomicOutputFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sonorelle {

// Writes a 16-bit PCM WAVE file with the plain 44-byte header every player knows. The
// file appears under its name only once finish() succeeds.
class PcmWavWriter {
public:
    PcmWavWriter(const std::string& path, int channels, int sampleRate);

    void write(const std::int16_t* interleaved, std::size_t frameCount);
    void finish();

private:
    std::vector<std::uint8_t> header(std::uint32_t dataBytes) const;

    AtomicOutputFile file_;
    int channels_;
    int sampleRate_;
    std::uint64_t dataBytes_ = 0;
};

} // namespace sonorelle
