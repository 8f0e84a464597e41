#include "addon2/WildcardPattern.h"

#include "addon2/ArchiveError.h"
#include "addon2/MemberName.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

namespace sonorelle {

namespace {

struct FolderCloser {
    void operator()(DIR* folder) const { ::closedir(folder); }
};

}  // namespace

bool WildcardPattern::HasWildcards(std::string_view text)
{
    return text.find_first_of("*?") != std::string_view::npos;
}

bool WildcardPattern::Matches(std::string_view name, std::string_view pattern)
{
    const std::u32string text = MemberName::Folded(name).toStdU32String();
    const std::u32string wildcard = MemberName::Folded(pattern).toStdU32String();
    // Greedy match that returns to the last '*' on a mismatch: linear in practice,
    // never exponential.
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t star = std::u32string::npos;
    std::size_t resume = 0;
    while (t < text.size()) {
        if (p < wildcard.size() && (wildcard[p] == U'?' || wildcard[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < wildcard.size() && wildcard[p] == U'*') {
            star = p++;
            resume = t;
        } else if (star != std::u32string::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < wildcard.size() && wildcard[p] == U'*')
        ++p;
    return p == wildcard.size();
}

std::vector<SourceFile> WildcardPattern::Expand(const std::string& pattern)
{
    const auto slash = pattern.rfind('/');
    const std::string last = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    if (last.empty())
        throw ArchiveError(pattern + ": names a folder, not files");
    if (!HasWildcards(last))
        return {{pattern, last}};

    const std::string folder = slash == std::string::npos ? "." : pattern.substr(0, std::max<std::size_t>(slash, 1));
    const std::string prefix = slash == std::string::npos ? "" : pattern.substr(0, slash + 1);
    const std::unique_ptr<DIR, FolderCloser> listing(::opendir(folder.c_str()));
    if (!listing)
        throw ArchiveError(folder + ": cannot read the folder: " + std::strerror(errno));
    std::vector<SourceFile> files;
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::string name = entry->d_name;
        // Hidden files (and our own temporary files) take part only when asked for.
        if (name == "." || name == ".." || (name.front() == '.' && last.front() != '.'))
            continue;
        struct stat status {};
        if (!Matches(name, last) || ::stat((prefix + name).c_str(), &status) != 0 || !S_ISREG(status.st_mode))
            continue;
        files.push_back({prefix + name, name});
    }
    if (files.empty())
        throw ArchiveError(pattern + ": no file matches");
    std::ranges::sort(files, {}, &SourceFile::memberName);
    return files;
}

}  // namespace sonorelle
