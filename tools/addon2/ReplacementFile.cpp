#include "addon2/ReplacementFile.h"

#include "addon2/ArchiveError.h"

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

std::string RandomSuffix()
{
    std::random_device entropy;
    char text[17];
    std::snprintf(text, sizeof text, "%08x%08x", entropy(), entropy());
    return text;
}

}  // namespace

ReplacementFile::ReplacementFile(std::string finalPath)
    : finalPath_(std::move(finalPath))
{
    // A leading dot keeps the temporary file out of wildcard matches such as
    // "songlist.*" that another run may take at the same moment.
    const std::string prefix = FolderOf(finalPath_) + "/." + BaseOf(finalPath_).substr(0, kLongestBaseKept) + ".";
    for (int attempt = 0; attempt < kNameAttempts && !file_; ++attempt) {
        temporaryPath_ = prefix + RandomSuffix() + ".tmp";
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
