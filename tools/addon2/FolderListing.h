#pragma once

#include <string>
#include <vector>

namespace sonorelle {

// The entry names of a folder, without "." and "..".
class FolderListing {
public:
    // Throws ArchiveError when the folder cannot be read.
    static std::vector<std::string> Names(const std::string& folder);
};

}  // namespace sonorelle
