#include "addon2/DirectorySlot.h"

#include "addon2/ByteReader.h"
#include "addon2/ByteWriter.h"
#include "addon2/Crc32.h"

#include <algorithm>

namespace sonorelle {

namespace {

constexpr std::size_t kCoveredBytes = ArchiveLayout::kSlotBytes - 4;

}  // namespace

std::uint64_t DirectorySlot::DirectoryEnd() const
{
    return directoryOffset + directoryLength;
}

std::array<unsigned char, ArchiveLayout::kSlotBytes> DirectorySlot::Encode() const
{
    ByteWriter writer;
    writer.U64(sequence);
    writer.U64(directoryOffset);
    writer.U64(directoryLength);
    writer.U32(directoryCrc);
    writer.U32(Crc32::Of(writer.Buffer()));
    std::array<unsigned char, ArchiveLayout::kSlotBytes> bytes{};
    std::ranges::copy(writer.Buffer(), bytes.begin());
    return bytes;
}

std::optional<DirectorySlot> DirectorySlot::Decode(std::span<const unsigned char, ArchiveLayout::kSlotBytes> bytes)
{
    ByteReader reader(bytes, "directory slot");
    DirectorySlot slot;
    slot.sequence = reader.U64();
    slot.directoryOffset = reader.U64();
    slot.directoryLength = reader.U64();
    slot.directoryCrc = reader.U32();
    if (reader.U32() != Crc32::Of(bytes.first(kCoveredBytes)) || slot.sequence == 0)
        return std::nullopt;
    return slot;
}

}  // namespace sonorelle
