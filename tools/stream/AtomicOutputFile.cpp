#include "stream/AtomicOutputFile.h"

#include "stream/StreamError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sonorelle {
namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

std::string TemporaryTemplate(const std::string& finalPath)
{
    const auto slash = finalPath.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : finalPath.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? finalPath : finalPath.substr(slash + 1);
    return folder + "." + name + ".XXXXXX";
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

} // namespace

AtomicOutputFile::AtomicOutputFile(std::string finalPath)
    : finalPath_(std::move(finalPath)), temporaryPath_(TemporaryTemplate(finalPath_))
{
    if (finalPath_.empty() || finalPath_.back() == '/')
        throw StreamError("cannot write '" + finalPath_ + "': not a file name");
    descriptor_ = ::mkstemp(temporaryPath_.data());
    if (descriptor_ < 0)
        fail("cannot write", errno);
    if (::fchmod(descriptor_, NewFileMode()) != 0)
        fail("cannot write", errno);
    buffer_.reserve(kBufferBytes);
}

AtomicOutputFile::~AtomicOutputFile()
{
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        ::unlink(temporaryPath_.c_str());
    }
}

void AtomicOutputFile::write(const void* data, std::size_t bytes)
{
    const auto* bytesIn = static_cast<const std::uint8_t*>(data);
    if (buffer_.size() + bytes > kBufferBytes) {
        flush();
        if (bytes >= kBufferBytes) {
            writeAll(bytesIn, bytes);
            return;
        }
    }
    buffer_.insert(buffer_.end(), bytesIn, bytesIn + bytes);
}

void AtomicOutputFile::writeAt(std::uint64_t offset, const void* data, std::size_t bytes)
{
    flush();
    const auto* bytesIn = static_cast<const std::uint8_t*>(data);
    while (bytes > 0) {
        const ssize_t written = ::pwrite(descriptor_, bytesIn, bytes, static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail("cannot write", errno);
        }
        bytesIn += written;
        bytes -= static_cast<std::size_t>(written);
        offset += static_cast<std::uint64_t>(written);
    }
}

int AtomicOutputFile::descriptor()
{
    flush();
    return descriptor_;
}

void AtomicOutputFile::commit()
{
    flush();
    const int closing = descriptor_;
    descriptor_ = -1;
    if (::close(closing) != 0) {
        const int error = errno;
        ::unlink(temporaryPath_.c_str());
        fail("cannot write", error);
    }
    if (::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporaryPath_.c_str());
        fail("cannot write", error);
    }
}

void AtomicOutputFile::flush()
{
    if (buffer_.empty())
        return;
    writeAll(buffer_.data(), buffer_.size());
    buffer_.clear();
}

void AtomicOutputFile::writeAll(const std::uint8_t* data, std::size_t bytes)
{
    while (bytes > 0) {
        const ssize_t written = ::write(descriptor_, data, bytes);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail("cannot write", errno);
        }
        data += written;
        bytes -= static_cast<std::size_t>(written);
    }
}

void AtomicOutputFile::fail(const char* what, int error) const
{
    throw StreamError(std::string(what) + " '" + finalPath_ + "': " + std::strerror(error));
}

} // namespace sonorelle
