#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <span>
#include <string>

namespace sonorelle {

// One in-memory file reused for every input, for parsers that only open paths:
// reached through /proc like a file on disk, without touching the disk.
class InMemoryFile {
public:
    explicit InMemoryFile(const char* name) : descriptor_(::memfd_create(name, MFD_CLOEXEC)) {}
    InMemoryFile(const InMemoryFile&) = delete;
    InMemoryFile& operator=(const InMemoryFile&) = delete;
    ~InMemoryFile()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }

    // Replaces the content; false when the file could not take it.
    bool hold(std::span<const std::uint8_t> bytes) const
    {
        return descriptor_ >= 0 && ::ftruncate(descriptor_, 0) == 0 &&
               ::pwrite(descriptor_, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
    }

    std::string path() const { return "/proc/self/fd/" + std::to_string(descriptor_); }

private:
    int descriptor_;
};

}  // namespace sonorelle
