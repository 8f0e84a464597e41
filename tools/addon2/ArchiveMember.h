#pragma once

#include <cstdint>
#include <string>

namespace sonorelle {

// One file held in the archive: where its bytes lie and their checksum.
struct ArchiveMember {
    std::string name;  // UTF-8 base name
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint32_t crc = 0;

    // Throws ArchiveError when bytes read back from `archivePath` had `actualCrc`.
    void CheckCrc(std::uint32_t actualCrc, const std::string& archivePath) const;
};

}  // namespace sonorelle
