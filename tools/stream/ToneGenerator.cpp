#include "stream/ToneGenerator.h"

#include <cmath>
#include <numbers>

namespace sonorelle {

ToneGenerator::ToneGenerator(double frequency, int sampleRate, int channels, double amplitude)
    : phaseStep_(2.0 * std::numbers::pi * frequency / sampleRate), channels_(channels),
      amplitude_(amplitude * 32767.0)
{
}

std::vector<std::int16_t> ToneGenerator::frames(std::size_t count)
{
    std::vector<std::int16_t> out;
    out.reserve(count * static_cast<std::size_t>(channels_));
    for (std::size_t frame = 0; frame < count; ++frame) {
        const auto sample = static_cast<std::int16_t>(std::lround(amplitude_ * std::sin(phase_)));
        out.insert(out.end(), static_cast<std::size_t>(channels_), sample);
        phase_ = std::fmod(phase_ + phaseStep_, 2.0 * std::numbers::pi);
    }
    return out;
}

} // namespace sonorelle
