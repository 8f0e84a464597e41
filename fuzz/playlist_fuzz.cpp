// Reads arbitrary bytes as a playlist through the reader the playlist window uses,
// so format sniffing, text decoding, all three parsers and path resolution run.
#include "InMemoryFile.h"

#include "adding/clsM3UReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const sonorelle::InMemoryFile file("playlist");
    if (!file.hold({data, size}))
        return 0;
    sonorelle::clsM3UReader reader(QStringLiteral("/nonexistent/wine-prefix"));
    reader.setFilename(QString::fromStdString(file.path()));
    const int count = reader.Refresh();
    if (count != reader.Count() || count < 0 || qsizetype(count) > qsizetype(size))
        __builtin_trap();
    for (int i = 0; i < count; ++i) {
        if (reader.File(i).isNull() && reader.FileTitle(i).isNull())
            __builtin_trap();
    }
    if (!reader.File(count).isEmpty() || !reader.FileTitle(-1).isEmpty() || reader.FileSeconds(count) != 0)
        __builtin_trap();
    return 0;
}
