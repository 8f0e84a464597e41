#include "stream/ImaAdpcmEncoder.h"

namespace sonorelle {
namespace {

// Channels are encoded side by side, which lets the processor overlap their independent
// dependency chains.
template <std::size_t FixedChannels>
void EncodeGroups(ImaAdpcmStep* states, std::size_t channels, const std::int16_t* samples,
                  std::uint8_t* codes, std::size_t groups)
{
    ForEachCodeByte<FixedChannels>(channels, groups, [&](std::size_t byte, std::size_t channel,
                                                         std::size_t low, std::size_t high) {
        const unsigned first = states[channel].encode(samples[low]);
        const unsigned second = states[channel].encode(samples[high]);
        codes[byte] = static_cast<std::uint8_t>(first | (second << 4));
    });
}

// Stereo, the game's layout, with both states in registers: in memory they would be stored
// and reloaded around every code byte written, which may alias them.
void EncodeStereoGroups(ImaAdpcmStep* states, const std::int16_t* samples, std::uint8_t* codes, std::size_t groups)
{
    ImaAdpcmStep left = states[0];
    ImaAdpcmStep right = states[1];
    ForEachCodeByte<2>(2, groups, [&](std::size_t byte, std::size_t channel, std::size_t low, std::size_t high) {
        ImaAdpcmStep& state = channel == 0 ? left : right;
        const unsigned first = state.encode(samples[low]);
        const unsigned second = state.encode(samples[high]);
        codes[byte] = static_cast<std::uint8_t>(first | (second << 4));
    });
    states[0] = left;
    states[1] = right;
}

} // namespace

ImaAdpcmEncoder::ImaAdpcmEncoder(ImaAdpcmLayout layout)
    : layout_(layout), channels_(static_cast<std::size_t>(layout.channels))
{
}

void ImaAdpcmEncoder::encodeBlock(const std::int16_t* frames, std::uint8_t* block)
{
    const auto channelCount = static_cast<std::size_t>(layout_.channels);
    for (std::size_t channel = 0; channel < channelCount; ++channel) {
        ImaAdpcmStep& state = channels_[channel];
        state.predictor = frames[channel];
        const auto first = static_cast<std::uint16_t>(frames[channel]);
        block[0] = static_cast<std::uint8_t>(first & 0xFFU);
        block[1] = static_cast<std::uint8_t>(first >> 8);
        block[2] = static_cast<std::uint8_t>(state.index);
        block[3] = 0;
        block += 4;
    }
    const std::size_t groups = (layout_.framesPerBlock() - 1) / 8;
    frames += channelCount;
    if (channelCount == 2)
        EncodeStereoGroups(channels_.data(), frames, block, groups);
    else
        EncodeGroups<0>(channels_.data(), channelCount, frames, block, groups);
}

} // namespace sonorelle
