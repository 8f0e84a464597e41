// addon1: the MP3 encoder.
//   addon1 --preset cd IN.wav OUT.mp3   192 kbit/s CBR with a gapless header
#include "stream/StreamConversions.h"
#include "stream/StreamError.h"
#include "stream/ToolMain.h"

#include <string_view>

int main(int argc, char** argv)
{
    return sonorelle::RunTool("addon1", "addon1 --preset cd IN.wav OUT.mp3", [&] {
        if (argc != 5 || std::string_view(argv[1]) != "--preset" || std::string_view(argv[2]) != "cd")
            throw sonorelle::UsageError("expected --preset cd IN OUT");
        sonorelle::EncodeToMp3(argv[3], argv[4]);
    });
}
