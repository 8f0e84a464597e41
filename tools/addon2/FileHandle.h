#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <span>
#include <string>

namespace sonorelle {

// An open file descriptor with whole-buffer positioned reads and writes; every
// failure throws ArchiveError naming the file.
class FileHandle {
public:
    // Only regular files: a folder, device or pipe is refused before any read
    // could block on it.
    static FileHandle OpenForReading(const std::string& path);
    static FileHandle OpenForUpdate(const std::string& path);

    // Takes ownership of an open descriptor.
    FileHandle(int descriptor, std::string path);
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    const std::string& Path() const;
    struct stat Status() const;
    std::uint64_t Size() const;
    bool IsSameFile(const struct stat& other) const;

    // Reads until `into` is full or the file ends; returns the count read.
    std::size_t ReadAt(std::span<unsigned char> into, std::uint64_t offset) const;
    // Throws when the file ends before `into` is full.
    void ReadExactlyAt(std::span<unsigned char> into, std::uint64_t offset) const;
    void WriteAt(std::span<const unsigned char> bytes, std::uint64_t offset);
    void Truncate(std::uint64_t size);
    void Sync();
    void SetMode(mode_t mode);
    // Blocks until no other writer holds the file.
    void LockExclusive();

    // Copies `length` bytes and returns their CRC-32.
    static std::uint32_t CopyRange(const FileHandle& from, std::uint64_t fromOffset, FileHandle& to,
        std::uint64_t toOffset, std::uint64_t length);

private:
    static FileHandle OpenRegular(const std::string& path, int flags);
    [[noreturn]] void Fail(const std::string& action) const;

    int descriptor_ = -1;
    std::string path_;
};

}  // namespace sonorelle
