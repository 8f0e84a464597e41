#include "addon2/ArchiveHeader.h"

#include "addon2/ArchiveError.h"
#include "addon2/ByteReader.h"
#include "addon2/ByteWriter.h"
#include "addon2/Crc32.h"

#include <algorithm>

namespace sonorelle {

std::array<unsigned char, ArchiveLayout::kHeaderBytes> ArchiveHeader::Encode()
{
    ByteWriter writer;
    writer.Bytes(ArchiveLayout::kMagic);
    writer.U32(ArchiveLayout::kVersion);
    writer.U32(static_cast<std::uint32_t>(ArchiveLayout::kPageSize));
    writer.U32(Crc32::Of(writer.Buffer()));
    std::array<unsigned char, ArchiveLayout::kHeaderBytes> bytes{};
    std::ranges::copy(writer.Buffer(), bytes.begin());
    return bytes;
}

void ArchiveHeader::Check(std::span<const unsigned char> bytes, const std::string& path)
{
    if (bytes.size() < ArchiveLayout::kMagic.size() || !std::ranges::equal(bytes.first(4), ArchiveLayout::kMagic))
        throw ArchiveError(path + ": not a Sonorelle archive");
    if (bytes.size() < ArchiveLayout::kHeaderBytes)
        throw ArchiveError(path + ": archive is cut short");
    ByteReader reader(bytes.first(ArchiveLayout::kHeaderBytes), path + ": archive header");
    reader.Bytes(ArchiveLayout::kMagic.size());
    const std::uint32_t version = reader.U32();
    const std::uint32_t pageSize = reader.U32();
    if (reader.U32() != Crc32::Of(bytes.first(ArchiveLayout::kHeaderBytes - 4)))
        throw ArchiveError(path + ": archive header is damaged");
    if (version != ArchiveLayout::kVersion || pageSize != ArchiveLayout::kPageSize)
        throw ArchiveError(path + ": archive format version " + std::to_string(version) + " is not supported");
}

}  // namespace sonorelle
