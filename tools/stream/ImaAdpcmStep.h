#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace sonorelle {

namespace ima {

constexpr std::array<int, 89> kStepSizes = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,   253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,   876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749,  3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493,  10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
constexpr std::array<int, 8> kIndexChanges = {-1, -1, -1, -1, 2, 4, 6, 8};
constexpr int kMaxIndex = 88;

// What a 4-bit code does at a step index.
struct Transition {
    int difference = 0;  // added to the predictor
    std::uint16_t step = 0;  // the step size of the next index
    std::uint8_t index = 0;  // the next index
};

constexpr std::array<Transition, 89 * 16> Transitions()
{
    std::array<Transition, 89 * 16> table{};
    for (std::size_t index = 0; index < kStepSizes.size(); ++index) {
        const int step = kStepSizes[index];
        for (unsigned code = 0; code < 16; ++code) {
            int difference = step >> 3;
            difference += (code & 4U) ? step : 0;
            difference += (code & 2U) ? step >> 1 : 0;
            difference += (code & 1U) ? step >> 2 : 0;
            const int next = std::clamp(static_cast<int>(index) + kIndexChanges[code & 7U], 0, kMaxIndex);
            table[index * 16 + code] = Transition{(code & 8U) ? -difference : difference,
                                                  static_cast<std::uint16_t>(kStepSizes[static_cast<std::size_t>(next)]),
                                                  static_cast<std::uint8_t>(next)};
        }
    }
    return table;
}

// One table for every code at every index keeps the index-to-index chain to a single load.
inline constexpr std::array<Transition, 89 * 16> kTransitions = Transitions();

} // namespace ima

// One channel's IMA ADPCM state with the step arithmetic of encoder and decoder; both
// reconstruct identically, so the encoder tracks exactly what a player will hear.
// Branch-free on purpose: the codes are data-dependent and mispredict constantly.
struct ImaAdpcmStep {
    static constexpr int kMaxIndex = ima::kMaxIndex;

    int predictor = 0;
    int index = 0;

    // A block header's state; encode() keeps the step size of `index` beside it.
    void start(int firstSample, int stepIndex)
    {
        predictor = firstSample;
        index = stepIndex;
        step_ = ima::kStepSizes[static_cast<std::size_t>(stepIndex)];
    }

    // Applies one 4-bit code and returns the reconstructed sample.
    int decode(unsigned code)
    {
        const ima::Transition& next = ima::kTransitions[static_cast<std::size_t>(index) * 16 + code];
        predictor = std::clamp(predictor + next.difference, -32768, 32767);
        index = next.index;
        return predictor;
    }

    // Chooses the code nearest below the sample, applies it and returns it. Written for a
    // short chain from one sample's predictor to the next: the new predictor is the sample
    // moved by what the chosen code leaves over.
    unsigned encode(int sample)
    {
        const int delta = sample - predictor;
        int remainder = delta < 0 ? -delta : delta;
        int step = step_;
        unsigned code = static_cast<unsigned>(delta < 0);  // shifted up to bit 3 below
        for (int bit = 0; bit < 3; ++bit) {
            const int less = remainder - step;
            code = code * 2 + static_cast<unsigned>(less >= 0);
            remainder = less >= 0 ? less : remainder;
            step >>= 1;
        }
        // The steps taken plus an eighth step: the sample less what remains, plus that eighth.
        const int error = (step_ >> 3) - remainder;
        predictor = delta < 0 ? sample - error : sample + error;
        // Only a sample near full scale can be overshot: a branch that is nearly never taken
        // costs less than a clamp in the chain.
        if (__builtin_expect(predictor != static_cast<std::int16_t>(predictor), 0))
            predictor = predictor < 0 ? -32768 : 32767;
        const ima::Transition& next = ima::kTransitions[static_cast<std::size_t>(index) * 16 + code];
        index = next.index;
        step_ = next.step;
        return code;
    }

private:
    int step_ = ima::kStepSizes[0];  // the step size of index
};

} // namespace sonorelle
