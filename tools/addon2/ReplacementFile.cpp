#include "addon2/ReplacementFile.h"

#include "addon2/ArchiveError.h"
#include "addon2/FolderListing.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>

namespace sonorelle {

namespace {

constexpr int kNameAttempts = 16;
constexpr std::size_t kLongestBaseKept = 200;
constexpr std::size_t kSuffixDigits = 16;
const std::string kTemporaryEnding = ".tmp";

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TemporaryPrefix(const std::string& finalPath)
{
    // A leading dot keeps temporary files out of wildcard matches such as
    // "songlist.*" that another run may take at the same moment.
    return "." + BaseOf(finalPath).substr(0, kLongestBaseKept) + ".";
}

std::string RandomSuffix()
{
    std::random_device entropy;
    char text[kSuffixDigits + 1];
    std::snprintf(text, sizeof text, "%08x%08x", entropy(), entropy());
    return text + kTemporaryEnding;
}

bool IsTemporaryName(const std::string& name, const std::string& prefix)
{
    if (name.size() != prefix.size() + kSuffixDigits + kTemporaryEnding.size() || !name.starts_with(prefix)
        || !name.ends_with(kTemporaryEnding))
        return false;
    const std::string digits = name.substr(prefix.size(), kSuffixDigits);
    return digits.find_first_not_of("0123456789abcdef") == std::string::npos;
}

}  // namespace

ReplacementFile::ReplacementFile(std::string finalPath)
    : finalPath_(std::move(finalPath))
{
    const std::string prefix = FolderOf(finalPath_) + "/" + TemporaryPrefix(finalPath_);
    for (int attempt = 0; attempt < kNameAttempts && !file_; ++attempt) {
        temporaryPath_ = prefix + RandomSuffix();
        const int descriptor = ::open(temporaryPath_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0)
            file_.emplace(descriptor, temporaryPath_);
        else if (errno != EEXIST)
            Fail("cannot write");
    }
    if (!file_)
        Fail("cannot find a free temporary name to write");
}

ReplacementFile::~ReplacementFile()
{
    if (!committed_)
        ::unlink(temporaryPath_.c_str());
}

FileHandle& ReplacementFile::File()
{
    return *file_;
}

void ReplacementFile::CommitReplacing()
{
    file_->Sync();
    if (::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0)
        Fail("cannot write");
    committed_ = true;
    FlushFolder();
}

void ReplacementFile::CommitIfAbsent()
{
    file_->Sync();
    if (::renameat2(AT_FDCWD, temporaryPath_.c_str(), AT_FDCWD, finalPath_.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS)
            Fail("cannot create");
        // File systems without an exclusive rename: a hard link fails the same
        // way when the name is taken.
        if (::link(temporaryPath_.c_str(), finalPath_.c_str()) != 0)
            Fail("cannot create");
        ::unlink(temporaryPath_.c_str());
    }
    committed_ = true;
    FlushFolder();
}

void ReplacementFile::RemoveLeftovers(const std::string& finalPath)
{
    const std::string folder = FolderOf(finalPath);
    const std::string prefix = TemporaryPrefix(finalPath);
    try {
        for (const std::string& name : FolderListing::Names(folder)) {
            if (IsTemporaryName(name, prefix))
                ::unlink((folder + "/" + name).c_str());
        }
    } catch (const ArchiveError&) {
        // Tidying up is a courtesy; an unreadable folder fails the real work later.
    }
}

void ReplacementFile::FlushFolder() const
{
    // Makes the rename itself durable; a folder that cannot be flushed changes
    // nothing about what a reader sees, so failure is not an error here.
    const int folder = ::open(FolderOf(finalPath_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void ReplacementFile::Fail(const std::string& action) const
{
    throw ArchiveError(finalPath_ + ": " + action + ": " + std::strerror(errno));
}

}  // namespace sonorelle
