#include "addon2/FolderListing.h"

#include "addon2/ArchiveError.h"

#include <dirent.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace sonorelle {

std::vector<std::string> FolderListing::Names(const std::string& folder)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), &::closedir);
    if (!listing)
        throw ArchiveError(folder + ": cannot read the folder: " + std::strerror(errno));
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    return names;
}

}  // namespace sonorelle
