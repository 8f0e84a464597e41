#pragma once

#include "addon2/SourceFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace sonorelle {

// A path whose last component may hold '*' (any run of characters) and '?' (one
// character), matched without regard to case as on Windows.
class WildcardPattern {
public:
    static bool HasWildcards(std::string_view text);
    static bool Matches(std::string_view name, std::string_view pattern);

    // The regular files the pattern names, sorted by name, each to be stored
    // under its base name. A pattern without wildcards names one file, which need
    // not exist yet. Throws ArchiveError when nothing matches.
    static std::vector<SourceFile> Expand(const std::string& pattern);
};

}  // namespace sonorelle
