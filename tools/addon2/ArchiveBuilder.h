#pragma once

#include "addon2/ArchiveDirectory.h"
#include "addon2/FileHandle.h"

#include <cstdint>
#include <string>

namespace sonorelle {

// Writes a complete archive front to back into an empty file: header, members
// one after the other, directory, first slot. Used to create archives and to
// rewrite them compactly.
class ArchiveBuilder {
public:
    explicit ArchiveBuilder(FileHandle& target);

    void AppendFile(const std::string& name, const FileHandle& source);
    // Copies a member of another archive, refusing bytes that fail its checksum.
    void AppendMember(const ArchiveMember& member, const FileHandle& archive);
    // Writes the directory and the slot with `sequence`; the caller flushes.
    void Finish(std::uint64_t sequence);

private:
    std::uint32_t Copy(const std::string& name, const FileHandle& source, std::uint64_t offset, std::uint64_t size);

    FileHandle& target_;
    ArchiveDirectory directory_;
    std::uint64_t end_;
};

}  // namespace sonorelle
