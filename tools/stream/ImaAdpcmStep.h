#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace sonorelle {

// One channel's IMA ADPCM state with the step arithmetic of encoder and decoder; both
// reconstruct identically, so the encoder tracks exactly what a player will hear.
// Branch-free on purpose: the codes are data-dependent and mispredict constantly.
struct ImaAdpcmStep {
    static constexpr std::array<int, 89> kStepSizes = {
        7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,
        25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,
        88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,   253,   279,
        307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,   876,   963,
        1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749,  3024,  3327,
        3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493,  10442, 11487,
        12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
    static constexpr std::array<int, 8> kIndexChanges = {-1, -1, -1, -1, 2, 4, 6, 8};
    static constexpr int kMaxIndex = 88;

    int predictor = 0;
    int index = 0;

    // Applies one 4-bit code and returns the reconstructed sample.
    int decode(unsigned code)
    {
        const int step = kStepSizes[static_cast<std::size_t>(index)];
        int difference = step >> 3;
        difference += step & -static_cast<int>((code >> 2) & 1U);
        difference += (step >> 1) & -static_cast<int>((code >> 1) & 1U);
        difference += (step >> 2) & -static_cast<int>(code & 1U);
        update(code, difference);
        return predictor;
    }

    // Chooses the code nearest below the sample, applies it and returns it.
    unsigned encode(int sample)
    {
        int step = kStepSizes[static_cast<std::size_t>(index)];
        int remainder = sample - predictor;
        const unsigned sign = remainder < 0 ? 8U : 0U;
        remainder = remainder < 0 ? -remainder : remainder;
        int difference = step >> 3;
        unsigned code = 0;
        for (unsigned bit = 4; bit != 0; bit >>= 1) {
            const int taken = -static_cast<int>(remainder >= step);
            code |= bit & static_cast<unsigned>(taken);
            remainder -= step & taken;
            difference += step & taken;
            step >>= 1;
        }
        code |= sign;
        update(code, difference);
        return code;
    }

private:
    void update(unsigned code, int difference)
    {
        predictor = std::clamp((code & 8U) ? predictor - difference : predictor + difference, -32768, 32767);
        index = std::clamp(index + kIndexChanges[code & 7U], 0, kMaxIndex);
    }
};

} // namespace sonorelle
