// sndview: the stream viewer. Prints what a stream holds and decodes it to playwav.wav
// in the stream's folder.
//   sndview STREAM
#include "stream/StreamConversions.h"
#include "stream/StreamError.h"
#include "stream/ToolMain.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    return sonorelle::RunTool("sndview", "sndview STREAM", [&] {
        if (argc != 2)
            throw sonorelle::UsageError("expected one stream file");
        const std::string input = argv[1];
        const auto slash = input.rfind('/');
        const std::string folder = slash == std::string::npos ? std::string() : input.substr(0, slash + 1);
        const auto summary = sonorelle::DecodeToPcmWav(input, folder + "playwav.wav");
        std::printf("file: %s\nformat: %s\nsample rate: %d Hz\nchannels: %d\nframes: %lld\n"
                    "duration: %.3f s\n",
                    input.c_str(), summary.format.c_str(), summary.sampleRate, summary.channels,
                    static_cast<long long>(summary.frames),
                    static_cast<double>(summary.frames) / summary.sampleRate);
    });
}
