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
    // For libraries that write through a descriptor themselves; flushes our buffer first.
    int descriptor();
    void commit();

    const std::string& finalPath() const { return finalPath_; }

private:
    void flush();
    void writeAll(const std::uint8_t* data, std::size_t bytes);
    [[noreturn]] void fail(const char* what, int error) const;

    std::string finalPath_;
    std::string temporaryPath_;
    int descriptor_ = -1;
    std::vector<std::uint8_t> buffer_;
};

} // namespace sonorelle
