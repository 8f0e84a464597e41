#pragma once

#include <QByteArray>

#include <cstdint>

namespace sonorelle::test {

// ID3v2 tags put together byte by byte, for the cases no tagging tool writes: version
// 2.2 (mutagen reads it but writes only 2.3 and 2.4), flags, broken sizes.
inline QByteArray Syncsafe32(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 3; i >= 0; --i, value >>= 7)
        bytes[i] = char(value & 0x7F);
    return bytes;
}

inline QByteArray BigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 3; i >= 0; --i, value >>= 8)
        bytes[i] = char(value & 0xFF);
    return bytes;
}

inline QByteArray V2Frame(const char* id, const QByteArray& data)
{
    return QByteArray(id) + BigEndian32(quint32(data.size())).sliced(1) + data;
}

inline QByteArray V3Frame(const char* id, const QByteArray& data, std::uint8_t formatFlags = 0)
{
    return QByteArray(id) + BigEndian32(quint32(data.size())) + '\0' + char(formatFlags) + data;
}

inline QByteArray V4Frame(const char* id, const QByteArray& data, std::uint8_t formatFlags = 0)
{
    return QByteArray(id) + Syncsafe32(quint32(data.size())) + '\0' + char(formatFlags) + data;
}

// "ID3", version, revision 0, flags, syncsafe size of body, then body.
inline QByteArray ID3v2Tag(int majorVersion, const QByteArray& body, std::uint8_t flags = 0)
{
    const QByteArray size = Syncsafe32(quint32(body.size()));
    return QByteArray("ID3") + char(majorVersion) + '\0' + char(flags) + size + body;
}

// Encoding byte 0 followed by the Latin-1 text.
inline QByteArray Latin1Text(const QByteArray& text)
{
    return '\0' + text;
}

}  // namespace sonorelle::test
