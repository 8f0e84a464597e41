#pragma once

#include "addon2/ArchiveMember.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace sonorelle {

// The list of members, in the order they were first added.
class ArchiveDirectory {
public:
    const std::vector<ArchiveMember>& Members() const;
    // The member named `name` without regard to case, or null.
    const ArchiveMember* Find(std::string_view name) const;
    // Replaces the member of the same name in its place, or appends a new one.
    void Put(ArchiveMember member);
    std::uint64_t LiveBytes() const;

    // Throws ArchiveError when the directory would exceed the format's limits.
    std::vector<unsigned char> Encode() const;
    // Reads a directory of outside origin. Every member must lie within
    // [data start, dataEnd); anything malformed throws ArchiveError.
    static ArchiveDirectory Decode(std::span<const unsigned char> bytes, std::uint64_t dataEnd);

private:
    std::vector<ArchiveMember> members_;
};

}  // namespace sonorelle
