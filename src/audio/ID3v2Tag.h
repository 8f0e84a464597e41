#pragma once

#include "audio/Id3Values.h"

#include <QByteArrayView>

#include <cstdint>
#include <optional>

namespace sonorelle {

struct ID3v2Header {
    static constexpr qsizetype Length = 10;

    int majorVersion = 0;  // 2, 3 or 4
    std::uint8_t flags = 0;
    qint64 bodySize = 0;   // bytes after the header

    bool fitsIn(qint64 fileLength) const { return Length + bodySize <= fileLength; }
};

// The header at the start of a file: bytes 1 and 2 "D3", byte 3 the major version,
// bytes 6 to 9 the body size as a 28-bit syncsafe integer. nullopt when there is none
// or its version is not one we read (2, 3, 4).
std::optional<ID3v2Header> ReadID3v2Header(QByteArrayView fileStart);

// Walks the frames of a tag body by their headers and takes title, artist, album, year
// and comment into values; a value whose frame is absent or unreadable keeps what it
// holds. A malformed frame ends the walk and what was taken before it stays. Never
// reads outside body. Returns false when the tag is of a kind that cannot be read at all.
bool ParseID3v2Frames(QByteArrayView body, const ID3v2Header& header, Id3Values& values);

}  // namespace sonorelle
