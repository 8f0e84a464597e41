#pragma once

#include <QString>

#include <string_view>

namespace sonorelle {

// Member names are file base names in UTF-8 that compare without regard to case,
// as the game's Windows tools compare them.
class MemberName {
public:
    // Throws ArchiveError when `name` cannot be a member name.
    static void Validate(std::string_view name);
    // The form two names share when they name the same member.
    static QString Folded(std::string_view name);
    static bool Same(std::string_view left, std::string_view right);
};

}  // namespace sonorelle
