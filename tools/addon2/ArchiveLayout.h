#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

// Fixed numbers of the archive format (docs/archive-format.md). All integers on
// disk are little-endian.
namespace sonorelle::ArchiveLayout {

// The header and each of the two directory slots own a page of their own, so a
// torn write of one slot can damage neither the other slot nor the header.
inline constexpr std::uint64_t kPageSize = 4096;
inline constexpr std::array<std::uint64_t, 2> kSlotOffsets{kPageSize, 2 * kPageSize};
inline constexpr std::uint64_t kDataStart = 3 * kPageSize;

inline constexpr std::array<unsigned char, 4> kMagic{'S', 'N', 'A', 'R'};
inline constexpr std::uint32_t kVersion = 1;
inline constexpr std::size_t kHeaderBytes = 16;  // magic, version, page size, CRC-32
inline constexpr std::size_t kSlotBytes = 32;    // sequence, offset, length, two CRC-32s

inline constexpr std::array<unsigned char, 4> kDirectoryMagic{'S', 'D', 'I', 'R'};
inline constexpr std::size_t kDirectoryHeaderBytes = 8;  // magic, member count
inline constexpr std::size_t kEntryFixedBytes = 22;      // offset, size, CRC-32, name length
inline constexpr std::size_t kMaxNameBytes = 255;
inline constexpr std::uint32_t kMaxMembers = 1U << 20;
inline constexpr std::uint64_t kMaxDirectoryBytes = 64ULL << 20;

// Bytes no longer referenced (replaced members, old directories, tails of
// interrupted runs) may grow to this before the archive is rewritten compactly.
inline constexpr std::uint64_t kReclaimFloorBytes = 16ULL << 20;

constexpr std::uint64_t AllowedDeadBytes(std::uint64_t liveBytes)
{
    return std::max(kReclaimFloorBytes, liveBytes / 4);
}

}  // namespace sonorelle::ArchiveLayout
