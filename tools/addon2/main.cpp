// addon2: the archive tool. Takes members out of an archive, adds or replaces
// them, lists and creates archives. Every failure is one line on stderr.

#include "addon2/Archive.h"
#include "addon2/ArchiveError.h"
#include "addon2/WildcardPattern.h"

#include <cstdio>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

void PrintError(const std::string& message)
{
    // Paths may hold control characters; the message must stay on one line.
    std::string line = "addon2: ";
    for (const char c : message)
        line += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    line += '\n';
    std::fputs(line.c_str(), stderr);
}

void List(const std::string& archivePath)
{
    const auto archive = sonorelle::Archive::OpenForReading(archivePath);
    for (const auto& member : archive.Directory().Members())
        std::printf("%s\t%llu\n", member.name.c_str(), static_cast<unsigned long long>(member.size));
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        throw sonorelle::ArchiveError("cannot write the listing");
}

void AddOrReplace(const std::string& archivePath, const std::string& pattern)
{
    const auto sources = sonorelle::WildcardPattern::Expand(pattern);
    auto archive = sonorelle::Archive::OpenForUpdate(archivePath);
    archive.Put(sources);
    if (!archive.ReclaimDue())
        return;
    try {
        archive.Reclaim();
    } catch (const sonorelle::ArchiveError& problem) {
        // The members are in; the space is taken back by a later run.
        PrintError(std::string("warning: members stored, but unused space not reclaimed: ") + problem.what());
    }
}

void Create(const std::string& archivePath, const std::vector<std::string>& files)
{
    std::vector<sonorelle::SourceFile> sources;
    for (const std::string& file : files)
        sources.push_back({file, file.substr(file.rfind('/') + 1)});
    sonorelle::Archive::Create(archivePath, sources);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string command = args.empty() ? std::string() : args.front();
    try {
        if (command == "-e" && args.size() == 4)
            sonorelle::Archive::OpenForReading(args[1]).Extract(args[2], args[3]);
        else if (command == "-ar" && args.size() == 3)
            AddOrReplace(args[1], args[2]);
        else if (command == "-l" && args.size() == 2)
            List(args[1]);
        else if (command == "-c" && args.size() >= 3)
            Create(args[1], {args.begin() + 2, args.end()});
        else {
            PrintError("usage: addon2 -e ARCHIVE NAME OUT | -ar ARCHIVE PATTERN | -l ARCHIVE | -c ARCHIVE FILE...");
            return kUsageError;
        }
    } catch (const sonorelle::ArchiveError& problem) {
        PrintError(problem.what());
        return kFailed;
    } catch (const std::bad_alloc&) {
        PrintError("out of memory");
        return kFailed;
    }
    return 0;
}
