// addon3: the stream encoder and decoder.
//   addon3 -pcstream IN = OUT   any readable audio to a game stream
//   addon3 -wave IN = OUT       a game stream (or any readable audio) to 16-bit PCM WAVE
#include "stream/StreamConversions.h"
#include "stream/StreamError.h"
#include "stream/ToolMain.h"

#include <string>
#include <string_view>

#include <sys/stat.h>

namespace {

// The output is written under a temporary name and renamed over OUT, so an OUT that is
// IN (by any path, link or hard link) would lose the input.
void RefuseOutputThatIsTheInput(const char* input, const char* output)
{
    struct stat in {};
    struct stat out {};
    if (::stat(input, &in) == 0 && ::stat(output, &out) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
        throw sonorelle::StreamError(std::string("the output ") + output + " is the input file; nothing written");
}

}  // namespace

int main(int argc, char** argv)
{
    return sonorelle::RunTool("addon3", "addon3 -pcstream IN = OUT | addon3 -wave IN = OUT", [&] {
        if (argc != 5)
            throw sonorelle::UsageError("expected a switch and IN = OUT");
        const std::string_view command = argv[1];
        if (std::string_view(argv[3]) != "=")
            throw sonorelle::UsageError("missing '=' between input and output");
        if (command == "-pcstream" || command == "-wave")
            RefuseOutputThatIsTheInput(argv[2], argv[4]);
        if (command == "-pcstream")
            sonorelle::EncodeToGameStream(argv[2], argv[4]);
        else if (command == "-wave")
            sonorelle::DecodeToPcmWav(argv[2], argv[4]);
        else
            throw sonorelle::UsageError("unknown switch '" + std::string(command) + "'");
    });
}
