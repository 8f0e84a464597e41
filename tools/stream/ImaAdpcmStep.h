#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace sonorelle {

// One channel's IMA ADPCM state and the shared step arithmetic of encoder and decoder;
// both sides must reconstruct identically or the encoder drifts from what players hear.
struct ImaAdpcmStep {
    static constexpr std::array<int, 89> kStepSizes = {
        7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,
        25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,
        88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,   253,   279,
        307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,   876,   963,
        1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749,  3024,  3327,
        3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493,  10442, 11487,
        12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
    static constexpr std::array<int, 16> kIndexChanges = {-1, -1, -1, -1, 2, 4, 6, 8,
                                                          -1, -1, -1, -1, 2, 4, 6, 8};
    static constexpr int kMaxIndex = 88;

    int predictor = 0;
    int index = 0;

    // Applies one 4-bit code and returns the reconstructed sample.
    int apply(unsigned code)
    {
        const int step = kStepSizes[static_cast<std::size_t>(index)];
        int difference = step >> 3;
        if (code & 4U)
            difference += step;
        if (code & 2U)
            difference += step >> 1;
        if (code & 1U)
            difference += step >> 2;
        predictor += (code & 8U) ? -difference : difference;
        predictor = std::clamp(predictor, -32768, 32767);
        index = std::clamp(index + kIndexChanges[code & 15U], 0, kMaxIndex);
        return predictor;
    }
};

} // namespace sonorelle
