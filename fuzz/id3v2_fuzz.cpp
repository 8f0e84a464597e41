// The input is the start of an MP3 file: header, then body, read as the tag reader does.
#include "audio/ID3v2Tag.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView file(data, qsizetype(size));
    const std::optional<sonorelle::ID3v2Header> header = sonorelle::ReadID3v2Header(file);
    if (!header || !header->fitsIn(file.size()))
        return 0;
    sonorelle::Id3Values values;
    sonorelle::ParseID3v2Frames(file.sliced(sonorelle::ID3v2Header::Length, header->bodySize), *header, values);
    return 0;
}
