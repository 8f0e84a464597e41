#pragma once

#include "stream/ImaAdpcmLayout.h"

#include <cstddef>
#include <cstdint>

namespace sonorelle {

// Decodes IMA ADPCM blocks into interleaved 16-bit PCM. Each block carries its own start
// state, so blocks decode independently.
class ImaAdpcmDecoder {
public:
    explicit ImaAdpcmDecoder(ImaAdpcmLayout layout);

    // Decodes a block of `bytes` bytes (a cut final block keeps its whole groups) and
    // returns the frames written.
    std::size_t decodeBlock(const std::uint8_t* block, std::size_t bytes,
                            std::int16_t* frames) const;

private:
    ImaAdpcmLayout layout_;
};

} // namespace sonorelle
