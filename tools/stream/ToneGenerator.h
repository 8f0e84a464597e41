#pragma once

#include <cstdint>
#include <vector>

namespace sonorelle {

// Interleaved 16-bit sine tones, for demo songs and for checking the codecs by ear and
// by measurement.
class ToneGenerator {
public:
    ToneGenerator(double frequency, int sampleRate, int channels, double amplitude = 0.5);

    std::vector<std::int16_t> frames(std::size_t count);

private:
    double phaseStep_;
    int channels_;
    double amplitude_;
    double phase_ = 0.0;
};

} // namespace sonorelle
