// Reads the first 128 bytes of the input as a tag record: one byte per character, so
// the record must turn back into the very same bytes.
#include "songdata/TagRecord.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < std::size_t(sonorelle::TagRecord::Size))
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), sonorelle::TagRecord::Size);
    const sonorelle::TagRecord record = sonorelle::TagRecord::fromBytes(bytes);
    if (record.toBytes() != bytes || record.hasMarker() != bytes.startsWith("TAG"))
        __builtin_trap();
    return 0;
}
