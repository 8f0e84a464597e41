#pragma once

#include "addon2/ArchiveLayout.h"

#include <array>
#include <span>
#include <string>

namespace sonorelle {

// The first bytes of every archive: magic, format version and page size, written
// once when the archive is made and never again.
class ArchiveHeader {
public:
    static std::array<unsigned char, ArchiveLayout::kHeaderBytes> Encode();
    // Throws ArchiveError saying why `bytes` (the file's first bytes, possibly
    // fewer than a header) do not start an archive this program reads.
    static void Check(std::span<const unsigned char> bytes, const std::string& path);
};

}  // namespace sonorelle
