#include "addon2/ArchiveBuilder.h"

#include "addon2/ArchiveHeader.h"
#include "addon2/ArchiveLayout.h"
#include "addon2/Crc32.h"
#include "addon2/DirectorySlot.h"

#include <algorithm>
#include <vector>

namespace sonorelle {

ArchiveBuilder::ArchiveBuilder(FileHandle& target)
    : target_(target)
    , end_(ArchiveLayout::kDataStart)
{
    // Both slot pages start zeroed, which no reader takes for a valid slot.
    std::vector<unsigned char> front(ArchiveLayout::kDataStart, 0);
    std::ranges::copy(ArchiveHeader::Encode(), front.begin());
    target_.WriteAt(front, 0);
}

void ArchiveBuilder::AppendFile(const std::string& name, const FileHandle& source)
{
    Copy(name, source, 0, source.Size());
}

void ArchiveBuilder::AppendMember(const ArchiveMember& member, const FileHandle& archive)
{
    member.CheckCrc(Copy(member.name, archive, member.offset, member.size), archive.Path());
}

void ArchiveBuilder::Finish(std::uint64_t sequence)
{
    const std::vector<unsigned char> directory = directory_.Encode();
    target_.WriteAt(directory, end_);
    const DirectorySlot slot{sequence, end_, directory.size(), Crc32::Of(directory)};
    target_.WriteAt(slot.Encode(), ArchiveLayout::kSlotOffsets[0]);
}

std::uint32_t ArchiveBuilder::Copy(const std::string& name, const FileHandle& source, std::uint64_t offset,
    std::uint64_t size)
{
    const std::uint32_t crc = FileHandle::CopyRange(source, offset, target_, end_, size);
    directory_.Put({name, end_, size, crc});
    end_ += size;
    return crc;
}

}  // namespace sonorelle
