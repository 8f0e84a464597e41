// Reads the first 128 bytes of the input as a tag record in single-byte code pages:
// one byte per character (undefined bytes included), so the record must turn back
// into the very same bytes.
#include "platform/CodePage.h"
#include "songdata/TagRecord.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < std::size_t(sonorelle::TagRecord::Size))
        return 0;
    static const sonorelle::CodePage codePages[] = {sonorelle::CodePage(1252), sonorelle::CodePage(1251)};
    const QByteArray bytes(reinterpret_cast<const char*>(data), sonorelle::TagRecord::Size);
    for (const sonorelle::CodePage& codePage : codePages) {
        const sonorelle::TagRecord record = sonorelle::TagRecord::fromBytes(bytes, codePage);
        if (record.toBytes(codePage) != bytes || record.hasMarker() != bytes.startsWith("TAG"))
            __builtin_trap();
    }
    return 0;
}
