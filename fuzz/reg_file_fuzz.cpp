// Reads arbitrary bytes as a registry file. What we write must read back as what we
// wrote, or a value would change each time the store is saved.
#include "platform/RegFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const sonorelle::RegFile file = sonorelle::RegFile::parse(QByteArrayView(data, qsizetype(size)));
    const QByteArray written = file.serialize();
    const sonorelle::RegFile reread = sonorelle::RegFile::parse(written);
    if (reread.keyCount() != file.keyCount() || reread.serialize() != written)
        __builtin_trap();
    return 0;
}
