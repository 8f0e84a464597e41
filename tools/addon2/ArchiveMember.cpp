#include "addon2/ArchiveMember.h"

#include "addon2/ArchiveError.h"

namespace sonorelle {

void ArchiveMember::CheckCrc(std::uint32_t actualCrc, const std::string& archivePath) const
{
    if (actualCrc != crc)
        throw ArchiveError(archivePath + ": member \"" + name + "\" is damaged (checksum mismatch)");
}

}  // namespace sonorelle
