#include "addon2/ByteWriter.h"

#include <utility>

namespace sonorelle {

void ByteWriter::U16(std::uint16_t value)
{
    LittleEndian(value, 2);
}

void ByteWriter::U32(std::uint32_t value)
{
    LittleEndian(value, 4);
}

void ByteWriter::U64(std::uint64_t value)
{
    LittleEndian(value, 8);
}

void ByteWriter::Bytes(std::span<const unsigned char> bytes)
{
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

const std::vector<unsigned char>& ByteWriter::Buffer() const
{
    return buffer_;
}

std::vector<unsigned char> ByteWriter::Take()
{
    return std::exchange(buffer_, {});
}

void ByteWriter::LittleEndian(std::uint64_t value, int width)
{
    for (int i = 0; i < width; ++i) {
        buffer_.push_back(static_cast<unsigned char>(value & 0xFFU));
        value >>= 8;
    }
}

}  // namespace sonorelle
