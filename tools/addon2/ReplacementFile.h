#pragma once

#include "addon2/FileHandle.h"

#include <optional>
#include <string>

namespace sonorelle {

// A new file written under a temporary name beside its final path and renamed
// into place only when complete, so the final name never shows a half-written
// file. Dropped without a commit, the temporary file is removed.
class ReplacementFile {
public:
    explicit ReplacementFile(std::string finalPath);
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile();

    FileHandle& File();
    // Flushes the file and renames it over whatever has the final name.
    void CommitReplacing();
    // Flushes the file and gives it the final name only if that name is free.
    void CommitIfAbsent();

private:
    void FlushFolder() const;
    [[noreturn]] void Fail(const std::string& action) const;

    std::string finalPath_;
    std::string temporaryPath_;
    std::optional<FileHandle> file_;
    bool committed_ = false;
};

}  // namespace sonorelle
