#include "addon2/Archive.h"

#include "addon2/ArchiveBuilder.h"
#include "addon2/ArchiveError.h"
#include "addon2/ArchiveHeader.h"
#include "addon2/ArchiveLayout.h"
#include "addon2/Crc32.h"
#include "addon2/MemberName.h"
#include "addon2/ReplacementFile.h"

#include <QSet>

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace sonorelle {

namespace {

std::string ResolvedPath(const std::string& path)
{
    // Renaming a compacted archive over a symbolic link would replace the link,
    // so writers work on the file it points to.
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved)
        throw ArchiveError(path + ": cannot open: " + std::strerror(errno));
    return resolved.get();
}

}  // namespace

Archive::Archive(FileHandle file)
    : file_(std::move(file))
{
}

Archive Archive::OpenForReading(const std::string& path)
{
    Archive archive(FileHandle::OpenForReading(path));
    archive.LoadNewestState();
    return archive;
}

Archive Archive::OpenForUpdate(const std::string& path)
{
    const std::string resolved = ResolvedPath(path);
    for (;;) {
        FileHandle file = FileHandle::OpenForUpdate(resolved);
        file.LockExclusive();
        // A writer that held the lock before us may have compacted the archive
        // and renamed a new file over this one; then lock that one instead.
        struct stat onDisk {};
        if (::stat(resolved.c_str(), &onDisk) != 0 || !file.IsSameFile(onDisk))
            continue;
        // Build only on a state that is on disk, whatever an interrupted run left.
        file.Sync();
        Archive archive(std::move(file));
        archive.LoadNewestState();
        return archive;
    }
}

void Archive::Create(const std::string& path, const std::vector<SourceFile>& sources)
{
    CheckSources(sources);
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0)
        throw ArchiveError(path + ": already exists (-c only makes new archives)");
    ReplacementFile replacement(path);
    ArchiveBuilder builder(replacement.File());
    for (const SourceFile& source : sources)
        builder.AppendFile(source.memberName, FileHandle::OpenForReading(source.path));
    builder.Finish(1);
    replacement.CommitIfAbsent();
}

const ArchiveDirectory& Archive::Directory() const
{
    return directory_;
}

std::uint64_t Archive::DeadBytes() const
{
    const std::uint64_t used = ArchiveLayout::kDataStart + directory_.LiveBytes() + current_.directoryLength;
    const std::uint64_t size = file_.Size();
    return size > used ? size - used : 0;
}

void Archive::Extract(std::string_view name, const std::string& outPath) const
{
    const ArchiveMember* member = directory_.Find(name);
    if (member == nullptr)
        throw ArchiveError(file_.Path() + ": holds no member named \"" + std::string(name) + "\"");
    struct stat target {};
    if (::stat(outPath.c_str(), &target) == 0 && file_.IsSameFile(target))
        throw ArchiveError(outPath + ": is the archive itself");
    ReplacementFile out(outPath);
    member->CheckCrc(FileHandle::CopyRange(file_, member->offset, out.File(), 0, member->size), file_.Path());
    out.CommitReplacing();
}

void Archive::Put(const std::vector<SourceFile>& sources)
{
    CheckSources(sources);
    // Everything past the current directory's end is unused (older states lie
    // before it), so new data goes there, over any tail an interrupted run left.
    const std::uint64_t start = current_.DirectoryEnd();
    ArchiveDirectory next = directory_;
    DirectorySlot slot;
    try {
        slot.directoryOffset = AppendSources(sources, start, next);
        const std::vector<unsigned char> directory = next.Encode();
        file_.WriteAt(directory, slot.directoryOffset);
        slot.directoryLength = directory.size();
        slot.directoryCrc = Crc32::Of(directory);
        file_.Sync();
    } catch (const ArchiveError&) {
        // Hand back the space of a run that failed before its commit (a full disk).
        if (file_.Size() > start)
            file_.Truncate(start);
        throw;
    }
    // The commit: one small write into the slot page not holding the current
    // state. Torn or lost, it leaves that slot invalid and the current one wins.
    slot.sequence = highestSequence_ + 1;
    const std::size_t target = 1 - currentSlot_;
    file_.WriteAt(slot.Encode(), ArchiveLayout::kSlotOffsets[target]);
    file_.Sync();
    current_ = slot;
    currentSlot_ = target;
    highestSequence_ = slot.sequence;
    directory_ = std::move(next);
    if (file_.Size() > current_.DirectoryEnd())
        file_.Truncate(current_.DirectoryEnd());
}

bool Archive::ReclaimDue() const
{
    return DeadBytes() > ArchiveLayout::AllowedDeadBytes(directory_.LiveBytes());
}

void Archive::Reclaim()
{
    ReplacementFile replacement(file_.Path());
    replacement.File().SetMode(file_.Status().st_mode & 07777);
    ArchiveBuilder builder(replacement.File());
    for (const ArchiveMember& member : directory_.Members())
        builder.AppendMember(member, file_);
    builder.Finish(highestSequence_ + 1);
    replacement.CommitReplacing();
}

void Archive::LoadNewestState()
{
    const std::string& path = file_.Path();
    std::array<unsigned char, ArchiveLayout::kHeaderBytes> header{};
    ArchiveHeader::Check(std::span(header).first(file_.ReadAt(header, 0)), path);
    const std::uint64_t fileSize = file_.Size();
    if (fileSize < ArchiveLayout::kDataStart)
        throw ArchiveError(path + ": archive is cut short");

    struct Candidate {
        DirectorySlot slot;
        std::size_t index;
    };
    std::vector<Candidate> candidates;
    for (std::size_t index = 0; index < ArchiveLayout::kSlotOffsets.size(); ++index) {
        std::array<unsigned char, ArchiveLayout::kSlotBytes> bytes{};
        file_.ReadExactlyAt(bytes, ArchiveLayout::kSlotOffsets[index]);
        if (const auto slot = DirectorySlot::Decode(bytes))
            candidates.push_back({*slot, index});
    }
    if (candidates.empty())
        throw ArchiveError(path + ": damaged archive: no intact directory slot");
    std::ranges::sort(candidates, std::ranges::greater{}, [](const Candidate& c) { return c.slot.sequence; });
    highestSequence_ = candidates.front().slot.sequence;

    // The newest slot whose directory is whole wins; a newer one with a damaged
    // directory leaves the previous state in force.
    std::string newestProblem;
    for (const Candidate& candidate : candidates) {
        try {
            directory_ = ReadDirectory(candidate.slot, fileSize);
            current_ = candidate.slot;
            currentSlot_ = candidate.index;
            return;
        } catch (const ArchiveError& problem) {
            if (newestProblem.empty())
                newestProblem = problem.what();
        }
    }
    throw ArchiveError(path + ": damaged archive: " + newestProblem);
}

ArchiveDirectory Archive::ReadDirectory(const DirectorySlot& slot, std::uint64_t fileSize) const
{
    if (slot.directoryOffset < ArchiveLayout::kDataStart || slot.directoryOffset > fileSize
        || slot.directoryLength < ArchiveLayout::kDirectoryHeaderBytes
        || slot.directoryLength > ArchiveLayout::kMaxDirectoryBytes
        || slot.directoryLength > fileSize - slot.directoryOffset)
        throw ArchiveError("the directory lies outside the file (cut short?)");
    std::vector<unsigned char> bytes(static_cast<std::size_t>(slot.directoryLength));
    file_.ReadExactlyAt(bytes, slot.directoryOffset);
    if (Crc32::Of(bytes) != slot.directoryCrc)
        throw ArchiveError("directory checksum mismatch");
    return ArchiveDirectory::Decode(bytes, slot.directoryOffset);
}

std::uint64_t Archive::AppendSources(const std::vector<SourceFile>& sources, std::uint64_t end, ArchiveDirectory& into)
{
    const struct stat archiveStatus = file_.Status();
    for (const SourceFile& source : sources) {
        const FileHandle input = FileHandle::OpenForReading(source.path);
        if (input.IsSameFile(archiveStatus))
            throw ArchiveError(source.path + ": is the archive itself and cannot go into it");
        const std::uint64_t size = input.Size();
        const std::uint32_t crc = FileHandle::CopyRange(input, 0, file_, end, size);
        into.Put({source.memberName, end, size, crc});
        end += size;
    }
    return end;
}

void Archive::CheckSources(const std::vector<SourceFile>& sources)
{
    QSet<QString> names;
    for (const SourceFile& source : sources) {
        MemberName::Validate(source.memberName);
        const QString key = MemberName::Folded(source.memberName);
        if (names.contains(key))
            throw ArchiveError(source.path + ": another file has the same name (names ignore case)");
        names.insert(key);
    }
}

}  // namespace sonorelle
