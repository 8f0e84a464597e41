#pragma once

#include "stream/ImaAdpcmLayout.h"
#include "stream/ImaAdpcmStep.h"

#include <cstdint>
#include <vector>

namespace sonorelle {

// Encodes interleaved 16-bit PCM into IMA ADPCM blocks; the step index carries over from
// block to block as in libsndfile's encoder.
class ImaAdpcmEncoder {
public:
    explicit ImaAdpcmEncoder(ImaAdpcmLayout layout);

    // Encodes exactly layout.framesPerBlock() frames into one block of layout.blockBytes.
    void encodeBlock(const std::int16_t* frames, std::uint8_t* block);

private:
    ImaAdpcmLayout layout_;
    std::vector<ImaAdpcmStep> channels_;
};

} // namespace sonorelle
