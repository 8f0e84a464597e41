#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace sonorelle {

// Reads little-endian fields from a byte buffer of outside origin; running past
// its end throws ArchiveError naming what was being read.
class ByteReader {
public:
    ByteReader(std::span<const unsigned char> bytes, std::string what);

    std::uint16_t U16();
    std::uint32_t U32();
    std::uint64_t U64();
    std::span<const unsigned char> Bytes(std::size_t count);
    std::size_t Remaining() const;

private:
    std::uint64_t LittleEndian(std::size_t width);

    std::span<const unsigned char> bytes_;
    std::size_t position_ = 0;
    std::string what_;
};

}  // namespace sonorelle
