#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sonorelle {

// An output file written under a temporary name in its final folder and renamed into
// place by commit(); until then no reader sees a half-written file under the final name,
// and a failure (or an exception) removes the temporary file.
class AtomicOutputFile {
public:
    explicit AtomicOutputFile(std::string finalPath);
    ~AtomicOutputFile();
    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

    void write(const void* data, std::size_t bytes);
    // Rewrites bytes already written (headers whose sizes are known only at the end).
    void writeAt(std::uint64_t offset, const void* data, std::size_t bytes);
    // Reads back bytes already written (libraries that rewrite their own headers).
    std::size_t readAt(std::uint64_t offset, void* data, std::size_t bytes);
    void commit();

    std::uint64_t size() const { return size_; }

    const std::string& finalPath() const { return finalPath_; }

private:
    void flush();
    // At `offset`, or after what is written when it is -1.
    void writeAll(const std::uint8_t* data, std::size_t bytes, std::int64_t offset);
    [[noreturn]] void fail(const char* what, int error) const;

    std::string finalPath_;
    std::string temporaryPath_;
    int descriptor_ = -1;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t size_ = 0;
};

} // namespace sonorelle
