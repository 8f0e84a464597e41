#pragma once

#include "addon2/ArchiveDirectory.h"
#include "addon2/DirectorySlot.h"
#include "addon2/FileHandle.h"
#include "addon2/SourceFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sonorelle {

// An open archive in its current state: the directory named by the newest intact
// slot. Layout and crash-safety argument: docs/archive-format.md.
class Archive {
public:
    static Archive OpenForReading(const std::string& path);
    // Waits for other writers, then opens the archive for Put and Reclaim.
    static Archive OpenForUpdate(const std::string& path);
    // Writes a new archive holding `sources`; an existing `path` is left alone
    // and refused.
    static void Create(const std::string& path, const std::vector<SourceFile>& sources);

    const ArchiveDirectory& Directory() const;
    // Bytes of the file that the current directory does not use.
    std::uint64_t DeadBytes() const;

    // Writes member `name` (any case) to `outPath`, checking its checksum.
    void Extract(std::string_view name, const std::string& outPath) const;
    // Adds or replaces the members in one step: appends their data and a new
    // directory, then switches the older slot over to it.
    void Put(const std::vector<SourceFile>& sources);
    bool ReclaimDue() const;
    // Rewrites the archive without dead bytes and renames it over the old one.
    void Reclaim();

private:
    explicit Archive(FileHandle file);
    void LoadNewestState();
    ArchiveDirectory ReadDirectory(const DirectorySlot& slot, std::uint64_t fileSize) const;
    std::uint64_t AppendSources(const std::vector<SourceFile>& sources, std::uint64_t end, ArchiveDirectory& into);
    static void CheckSources(const std::vector<SourceFile>& sources);

    FileHandle file_;
    ArchiveDirectory directory_;
    DirectorySlot current_;
    std::size_t currentSlot_ = 0;
    std::uint64_t highestSequence_ = 0;
};

}  // namespace sonorelle
