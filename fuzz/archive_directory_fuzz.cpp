// Feeds arbitrary bytes to the archive directory parser, and the same bytes as a
// whole archive file to the code that -l and -e run on opening.

#include "addon2/Archive.h"
#include "addon2/ArchiveDirectory.h"
#include "addon2/ArchiveError.h"
#include "addon2/ArchiveLayout.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace {

// One in-memory file reused for every input, opened through /proc like a path.
int ArchiveImage()
{
    static const int descriptor = ::memfd_create("archive", MFD_CLOEXEC);
    return descriptor;
}

void OpenAsArchive(std::span<const unsigned char> bytes)
{
    const int image = ArchiveImage();
    if (image < 0 || ::ftruncate(image, 0) != 0)
        return;
    if (::pwrite(image, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
        return;
    try {
        const auto archive = sonorelle::Archive::OpenForReading("/proc/self/fd/" + std::to_string(image));
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
