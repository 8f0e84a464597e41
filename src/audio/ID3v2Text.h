#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace sonorelle {

// The text of an ID3v2 text frame: frameData starts with the encoding byte (0 Latin-1,
// 1 UTF-16 with byte-order mark, 2 UTF-16 big-endian, 3 UTF-8). Only the first of
// several NUL-separated values is returned. nullopt for an empty frame or an unknown
// encoding.
std::optional<QString> DecodeID3v2Text(QByteArrayView frameData);

}  // namespace sonorelle
