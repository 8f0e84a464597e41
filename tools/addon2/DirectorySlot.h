#pragma once

#include "addon2/ArchiveLayout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace sonorelle {

// One of the two directory pointers in the archive's first pages. The slot with
// the highest sequence whose checksums hold names the current directory.
struct DirectorySlot {
    std::uint64_t sequence = 0;
    std::uint64_t directoryOffset = 0;
    std::uint64_t directoryLength = 0;
    std::uint32_t directoryCrc = 0;

    std::uint64_t DirectoryEnd() const;

    std::array<unsigned char, ArchiveLayout::kSlotBytes> Encode() const;
    // Empty when the slot was never written or its own checksum fails (torn write).
    static std::optional<DirectorySlot> Decode(std::span<const unsigned char, ArchiveLayout::kSlotBytes> bytes);
};

}  // namespace sonorelle
