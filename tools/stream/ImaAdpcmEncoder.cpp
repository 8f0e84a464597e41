#include "stream/ImaAdpcmEncoder.h"

namespace sonorelle {
namespace {

unsigned EncodeSample(ImaAdpcmStep& state, int sample)
{
    const int step = ImaAdpcmStep::kStepSizes[static_cast<std::size_t>(state.index)];
    int difference = sample - state.predictor;
    unsigned code = 0;
    if (difference < 0) {
        code = 8;
        difference = -difference;
    }
    if (difference >= step) {
        code |= 4;
        difference -= step;
    }
    if (difference >= step >> 1) {
        code |= 2;
        difference -= step >> 1;
    }
    if (difference >= step >> 2)
        code |= 1;
    state.apply(code);
    return code;
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
    const std::int16_t* groupStart = frames + channelCount;
    for (std::size_t group = 0; group < groups; ++group) {
        for (std::size_t channel = 0; channel < channelCount; ++channel) {
            ImaAdpcmStep& state = channels_[channel];
            const std::int16_t* sample = groupStart + channel;
            for (int pair = 0; pair < 4; ++pair) {
                const unsigned low = EncodeSample(state, sample[0]);
                const unsigned high = EncodeSample(state, sample[channelCount]);
                *block++ = static_cast<std::uint8_t>(low | (high << 4));
                sample += 2 * channelCount;
            }
        }
        groupStart += 8 * channelCount;
    }
}

} // namespace sonorelle
