#include "stream/ImaAdpcmEncoder.h"

namespace sonorelle {
namespace {

// Encodes the groups of one block. Channels are encoded side by side, which lets the
// processor overlap their independent dependency chains; a fixed count (the game's stereo)
// unrolls completely, 0 means `channels` at run time.
template <std::size_t FixedChannels>
void EncodeGroups(ImaAdpcmStep* states, std::size_t channels, const std::int16_t* frames,
                  std::uint8_t* block, std::size_t groups)
{
    const std::size_t channelCount = FixedChannels ? FixedChannels : channels;
    for (std::size_t group = 0; group < groups; ++group) {
        for (std::size_t pair = 0; pair < 4; ++pair) {
            const std::int16_t* even = frames + 2 * pair * channelCount;
            const std::int16_t* odd = even + channelCount;
            for (std::size_t channel = 0; channel < channelCount; ++channel) {
                const unsigned low = states[channel].encode(even[channel]);
                const unsigned high = states[channel].encode(odd[channel]);
                block[4 * channel + pair] = static_cast<std::uint8_t>(low | (high << 4));
            }
        }
        frames += 8 * channelCount;
        block += 4 * channelCount;
    }
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
        EncodeGroups<2>(channels_.data(), channelCount, frames, block, groups);
    else
        EncodeGroups<0>(channels_.data(), channelCount, frames, block, groups);
}

} // namespace sonorelle
