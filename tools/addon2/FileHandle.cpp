#include "addon2/FileHandle.h"

#include "addon2/ArchiveError.h"
#include "addon2/Crc32.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

namespace sonorelle {

namespace {

constexpr std::uint64_t kCopyChunk = 1U << 20;

std::string ErrorText(int error)
{
    return std::strerror(error);
}

}  // namespace

FileHandle FileHandle::OpenForReading(const std::string& path)
{
    return OpenRegular(path, O_RDONLY);
}

FileHandle FileHandle::OpenForUpdate(const std::string& path)
{
    return OpenRegular(path, O_RDWR);
}

FileHandle FileHandle::OpenRegular(const std::string& path, int flags)
{
    // O_NONBLOCK keeps open() from waiting for a writer when the path is a FIFO;
    // it changes nothing for the regular files accepted below.
    const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0)
        throw ArchiveError(path + ": cannot open: " + ErrorText(errno));
    FileHandle file(descriptor, path);
    const struct stat status = file.Status();
    if (S_ISDIR(status.st_mode))
        throw ArchiveError(path + ": is a folder, not a file");
    if (!S_ISREG(status.st_mode))
        throw ArchiveError(path + ": is not a regular file");
    return file;
}

FileHandle::FileHandle(int descriptor, std::string path)
    : descriptor_(descriptor)
    , path_(std::move(path))
{
}

FileHandle::FileHandle(FileHandle&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1))
    , path_(std::move(other.path_))
{
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept
{
    if (this != &other) {
        if (descriptor_ >= 0)
            ::close(descriptor_);
        descriptor_ = std::exchange(other.descriptor_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

FileHandle::~FileHandle()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

const std::string& FileHandle::Path() const
{
    return path_;
}

struct stat FileHandle::Status() const
{
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0)
        Fail("cannot read its status");
    return status;
}

std::uint64_t FileHandle::Size() const
{
    return static_cast<std::uint64_t>(Status().st_size);
}

bool FileHandle::IsSameFile(const struct stat& other) const
{
    const struct stat own = Status();
    return own.st_dev == other.st_dev && own.st_ino == other.st_ino;
}

std::size_t FileHandle::ReadAt(std::span<unsigned char> into, std::uint64_t offset) const
{
    std::size_t done = 0;
    while (done < into.size()) {
        const ssize_t got = ::pread(descriptor_, into.data() + done, into.size() - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            Fail("cannot read");
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void FileHandle::ReadExactlyAt(std::span<unsigned char> into, std::uint64_t offset) const
{
    if (ReadAt(into, offset) != into.size())
        throw ArchiveError(path_ + ": ends before the expected data (cut short, or changed while being read)");
}

void FileHandle::WriteAt(std::span<const unsigned char> bytes, std::uint64_t offset)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::pwrite(descriptor_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            Fail("cannot write");
        done += static_cast<std::size_t>(put);
    }
}

void FileHandle::Truncate(std::uint64_t size)
{
    if (::ftruncate(descriptor_, static_cast<off_t>(size)) != 0)
        Fail("cannot change its size");
}

void FileHandle::Sync()
{
    if (::fsync(descriptor_) != 0)
        Fail("cannot flush to disk");
}

void FileHandle::SetMode(mode_t mode)
{
    if (::fchmod(descriptor_, mode) != 0)
        Fail("cannot set its permissions");
}

void FileHandle::LockExclusive()
{
    while (::flock(descriptor_, LOCK_EX) != 0) {
        if (errno != EINTR)
            Fail("cannot lock");
    }
}

std::uint32_t FileHandle::CopyRange(const FileHandle& from, std::uint64_t fromOffset, FileHandle& to,
    std::uint64_t toOffset, std::uint64_t length)
{
    std::vector<unsigned char> buffer(static_cast<std::size_t>(std::min(length, kCopyChunk)));
    Crc32 crc;
    for (std::uint64_t done = 0; done < length;) {
        const auto chunk = std::span(buffer).first(static_cast<std::size_t>(std::min(length - done, kCopyChunk)));
        from.ReadExactlyAt(chunk, fromOffset + done);
        crc.Update(chunk);
        to.WriteAt(chunk, toOffset + done);
        done += chunk.size();
    }
    return crc.Value();
}

void FileHandle::Fail(const std::string& action) const
{
    throw ArchiveError(path_ + ": " + action + ": " + ErrorText(errno));
}

}  // namespace sonorelle
