#include "addon2/ByteReader.h"

#include "addon2/ArchiveError.h"

#include <utility>

namespace sonorelle {

ByteReader::ByteReader(std::span<const unsigned char> bytes, std::string what)
    : bytes_(bytes)
    , what_(std::move(what))
{
}

std::uint16_t ByteReader::U16()
{
    return static_cast<std::uint16_t>(LittleEndian(2));
}

std::uint32_t ByteReader::U32()
{
    return static_cast<std::uint32_t>(LittleEndian(4));
}

std::uint64_t ByteReader::U64()
{
    return LittleEndian(8);
}

std::span<const unsigned char> ByteReader::Bytes(std::size_t count)
{
    if (count > Remaining())
        throw ArchiveError(what_ + " is cut short");
    const auto field = bytes_.subspan(position_, count);
    position_ += count;
    return field;
}

std::size_t ByteReader::Remaining() const
{
    return bytes_.size() - position_;
}

std::uint64_t ByteReader::LittleEndian(std::size_t width)
{
    const auto field = Bytes(width);
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = (value << 8) | field[i];
    return value;
}

}  // namespace sonorelle
