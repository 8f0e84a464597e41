// Opens arbitrary bytes as a game stream and decodes all of it: the reader must deliver
// exactly the frames its header promised, or fail with a message.
#include "stream/GameStreamReader.h"
#include "stream/StreamError.h"

#include "InMemoryFile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const sonorelle::InMemoryFile stream("stream");
    if (!stream.hold({data, size}))
        return 0;
    try {
        const auto reader = sonorelle::GameStreamReader::open(stream.path());
        if (!reader)
            return 0;
        // Odd sizes make the reader mix whole-block and partial reads.
        std::vector<std::int16_t> frames(std::size_t(777 + size % 2048) * std::size_t(reader->channels()));
        std::int64_t total = 0;
        while (const std::size_t got = reader->read(frames.data(), frames.size() / std::size_t(reader->channels())))
            total += std::int64_t(got);
        if (total != reader->frames())
            __builtin_trap();
    } catch (const sonorelle::StreamError&) {
    }
    return 0;
}
