#include "addon2/ArchiveDirectory.h"

#include "addon2/ArchiveError.h"
#include "addon2/ArchiveLayout.h"
#include "addon2/ByteReader.h"
#include "addon2/ByteWriter.h"
#include "addon2/MemberName.h"

#include <QSet>

#include <algorithm>
#include <numeric>
#include <string>
#include <utility>

namespace sonorelle {

namespace {

constexpr std::size_t kSmallestEntry = ArchiveLayout::kEntryFixedBytes + 1;

std::span<const unsigned char> AsBytes(std::string_view text)
{
    return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

}  // namespace

const std::vector<ArchiveMember>& ArchiveDirectory::Members() const
{
    return members_;
}

const ArchiveMember* ArchiveDirectory::Find(std::string_view name) const
{
    const auto found = std::ranges::find_if(members_, [name](const ArchiveMember& m) { return MemberName::Same(m.name, name); });
    return found == members_.end() ? nullptr : &*found;
}

void ArchiveDirectory::Put(ArchiveMember member)
{
    const auto found = std::ranges::find_if(members_, [&member](const ArchiveMember& m) { return MemberName::Same(m.name, member.name); });
    if (found == members_.end())
        members_.push_back(std::move(member));
    else
        *found = std::move(member);
}

std::uint64_t ArchiveDirectory::LiveBytes() const
{
    return std::accumulate(members_.begin(), members_.end(), std::uint64_t{0},
        [](std::uint64_t sum, const ArchiveMember& m) { return sum + m.size; });
}

std::vector<unsigned char> ArchiveDirectory::Encode() const
{
    if (members_.size() > ArchiveLayout::kMaxMembers)
        throw ArchiveError("an archive holds at most " + std::to_string(ArchiveLayout::kMaxMembers) + " members");
    ByteWriter writer;
    writer.Bytes(ArchiveLayout::kDirectoryMagic);
    writer.U32(static_cast<std::uint32_t>(members_.size()));
    for (const ArchiveMember& member : members_) {
        writer.U64(member.offset);
        writer.U64(member.size);
        writer.U32(member.crc);
        writer.U16(static_cast<std::uint16_t>(member.name.size()));
        writer.Bytes(AsBytes(member.name));
    }
    std::vector<unsigned char> bytes = writer.Take();
    if (bytes.size() > ArchiveLayout::kMaxDirectoryBytes)
        throw ArchiveError("the archive directory would grow past 64 MiB");
    return bytes;
}

ArchiveDirectory ArchiveDirectory::Decode(std::span<const unsigned char> bytes, std::uint64_t dataEnd)
{
    ByteReader reader(bytes, "archive directory");
    if (!std::ranges::equal(reader.Bytes(ArchiveLayout::kDirectoryMagic.size()), ArchiveLayout::kDirectoryMagic))
        throw ArchiveError("archive directory has a wrong signature");
    const std::uint32_t count = reader.U32();
    if (count > ArchiveLayout::kMaxMembers || count > reader.Remaining() / kSmallestEntry)
        throw ArchiveError("archive directory claims more members than it holds");

    ArchiveDirectory directory;
    directory.members_.reserve(count);
    QSet<QString> seen;
    for (std::uint32_t i = 0; i < count; ++i) {
        ArchiveMember member;
        member.offset = reader.U64();
        member.size = reader.U64();
        member.crc = reader.U32();
        const auto name = reader.Bytes(reader.U16());
        member.name.assign(name.begin(), name.end());
        MemberName::Validate(member.name);
        if (member.offset < ArchiveLayout::kDataStart || member.offset > dataEnd || member.size > dataEnd - member.offset)
            throw ArchiveError("member \"" + member.name + "\" lies outside the archive's data");
        const QString key = MemberName::Folded(member.name);
        if (seen.contains(key))
            throw ArchiveError("member \"" + member.name + "\" is listed twice");
        seen.insert(key);
        directory.members_.push_back(std::move(member));
    }
    if (reader.Remaining() != 0)
        throw ArchiveError("archive directory has stray bytes at its end");
    return directory;
}

}  // namespace sonorelle
