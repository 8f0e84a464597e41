#pragma once

#include <QByteArray>

#include <cstdint>

namespace sonorelle::test {

// ID3v2 tags put together byte by byte, for the cases no tagging tool writes: version
// 2.2 (mutagen reads it but writes only 2.3 and 2.4), flags, broken sizes.
QByteArray Syncsafe32(quint32 value);
QByteArray BigEndian32(quint32 value);

QByteArray V2Frame(const char* id, const QByteArray& data);
QByteArray V3Frame(const char* id, const QByteArray& data, std::uint8_t formatFlags = 0);
QByteArray V4Frame(const char* id, const QByteArray& data, std::uint8_t formatFlags = 0);

// "ID3", version, revision 0, flags, syncsafe size of body, then body.
QByteArray ID3v2Tag(int majorVersion, const QByteArray& body, std::uint8_t flags = 0);

// A 0x00 put after every 0xFF, as unsynchronisation does.
QByteArray Unsynchronised(QByteArray bytes);

// Encoding byte 0 followed by the Latin-1 text.
QByteArray Latin1Text(const QByteArray& text);

}  // namespace sonorelle::test
