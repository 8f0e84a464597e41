#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace sonorelle {

// Appends little-endian fields to a growing byte buffer.
class ByteWriter {
public:
    void U16(std::uint16_t value);
    void U32(std::uint32_t value);
    void U64(std::uint64_t value);
    void Bytes(std::span<const unsigned char> bytes);

    const std::vector<unsigned char>& Buffer() const;
    std::vector<unsigned char> Take();

private:
    void LittleEndian(std::uint64_t value, int width);

    std::vector<unsigned char> buffer_;
};

}  // namespace sonorelle
