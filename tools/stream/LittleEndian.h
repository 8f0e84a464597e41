#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace sonorelle::le {

inline void Append16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFFU));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFFU));
}

inline void Append32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Append16(out, value & 0xFFFFU);
    Append16(out, value >> 16);
}

inline void AppendTag(std::vector<std::uint8_t>& out, std::string_view fourCharacters)
{
    out.insert(out.end(), fourCharacters.begin(), fourCharacters.end());
}

inline std::uint32_t Read16(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t Read32(const std::uint8_t* bytes)
{
    return Read16(bytes) | (Read16(bytes + 2) << 16);
}

} // namespace sonorelle::le
