#include "stream/ImaAdpcmDecoder.h"

#include "stream/ImaAdpcmStep.h"

#include <array>

namespace sonorelle {
namespace {

// Channels side by side, as in EncodeGroups.
template <std::size_t FixedChannels>
void DecodeGroups(ImaAdpcmStep* states, std::size_t channels, const std::uint8_t* codes,
                  std::int16_t* samples, std::size_t groups)
{
    ForEachCodeByte<FixedChannels>(channels, groups, [&](std::size_t byte, std::size_t channel,
                                                         std::size_t low, std::size_t high) {
        samples[low] = static_cast<std::int16_t>(states[channel].decode(codes[byte] & 15U));
        samples[high] = static_cast<std::int16_t>(states[channel].decode(codes[byte] >> 4));
    });
}

} // namespace

ImaAdpcmDecoder::ImaAdpcmDecoder(ImaAdpcmLayout layout) : layout_(layout) {}

std::size_t ImaAdpcmDecoder::decodeBlock(const std::uint8_t* block, std::size_t bytes,
                                         std::int16_t* frames) const
{
    const std::size_t frameCount = layout_.framesInBytes(bytes);
    if (frameCount == 0)
        return 0;
    const auto channelCount = static_cast<std::size_t>(layout_.channels);
    std::array<ImaAdpcmStep, 8> states{};
    for (std::size_t channel = 0; channel < channelCount; ++channel) {
        const auto first = static_cast<std::int16_t>(block[0] | (block[1] << 8));
        states[channel].start(first, std::min<int>(block[2], ImaAdpcmStep::kMaxIndex));
        frames[channel] = first;
        block += 4;
    }
    const std::size_t groups = (frameCount - 1) / 8;
    frames += channelCount;
    if (channelCount == 2)
        DecodeGroups<2>(states.data(), channelCount, block, frames, groups);
    else
        DecodeGroups<0>(states.data(), channelCount, block, frames, groups);
    return frameCount;
}

} // namespace sonorelle
