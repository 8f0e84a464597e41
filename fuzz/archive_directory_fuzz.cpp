// Feeds arbitrary bytes to the archive directory parser, and the same bytes as a
// whole archive file to the code that -l and -e run on opening.

#include "addon2/Archive.h"
#include "addon2/ArchiveDirectory.h"
#include "addon2/ArchiveError.h"
#include "addon2/ArchiveLayout.h"

#include "InMemoryFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

void OpenAsArchive(std::span<const unsigned char> bytes)
{
    static const sonorelle::InMemoryFile image("archive");
    if (!image.hold(bytes))
        return;
    try {
        const auto archive = sonorelle::Archive::OpenForReading(image.path());
        for (const auto& member : archive.Directory().Members())
            (void)archive.Directory().Find(member.name);
        (void)archive.DeadBytes();
    } catch (const sonorelle::ArchiveError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const unsigned char> bytes(data, size);
    try {
        const auto directory = sonorelle::ArchiveDirectory::Decode(bytes, sonorelle::ArchiveLayout::kDataStart + size);
        // Whatever parses must encode to the very same bytes.
        if (directory.Encode() != std::vector<unsigned char>(bytes.begin(), bytes.end()))
            __builtin_trap();
    } catch (const sonorelle::ArchiveError&) {
    }
    OpenAsArchive(bytes);
    return 0;
}
