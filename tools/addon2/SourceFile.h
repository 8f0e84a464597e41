#pragma once

#include <string>

namespace sonorelle {

// A file on disk to be stored in the archive under `memberName`.
struct SourceFile {
    std::string path;
    std::string memberName;
};

}  // namespace sonorelle
