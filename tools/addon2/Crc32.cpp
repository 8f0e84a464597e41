#include "addon2/Crc32.h"

#include <zlib.h>

namespace sonorelle {

void Crc32::Update(std::span<const unsigned char> bytes)
{
    value_ = crc32_z(value_, bytes.data(), bytes.size());
}

std::uint32_t Crc32::Value() const
{
    return static_cast<std::uint32_t>(value_);
}

std::uint32_t Crc32::Of(std::span<const unsigned char> bytes)
{
    Crc32 crc;
    crc.Update(bytes);
    return crc.Value();
}

}  // namespace sonorelle
