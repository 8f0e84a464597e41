#include "stream/ImaAdpcmDecoder.h"

#include "stream/ImaAdpcmStep.h"

#include <array>

namespace sonorelle {

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
        states[channel].predictor = first;
        states[channel].index = std::min<int>(block[2], ImaAdpcmStep::kMaxIndex);
        frames[channel] = first;
        block += 4;
    }
    const std::size_t groups = (frameCount - 1) / 8;
    std::int16_t* groupStart = frames + channelCount;
    for (std::size_t group = 0; group < groups; ++group) {
        for (std::size_t channel = 0; channel < channelCount; ++channel) {
            ImaAdpcmStep& state = states[channel];
            std::int16_t* sample = groupStart + channel;
            for (int pair = 0; pair < 4; ++pair) {
                const unsigned codes = *block++;
                sample[0] = static_cast<std::int16_t>(state.apply(codes & 15U));
                sample[channelCount] = static_cast<std::int16_t>(state.apply(codes >> 4));
                sample += 2 * channelCount;
            }
        }
        groupStart += 8 * channelCount;
    }
    return frameCount;
}

} // namespace sonorelle
