#pragma once

#include <cstdint>
#include <span>

namespace sonorelle {

// CRC-32 (the zlib/PNG polynomial), fed piece by piece.
class Crc32 {
public:
    void Update(std::span<const unsigned char> bytes);
    std::uint32_t Value() const;

    static std::uint32_t Of(std::span<const unsigned char> bytes);

private:
    unsigned long value_ = 0;
};

}  // namespace sonorelle
