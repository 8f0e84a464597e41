#include "audio/ID3v2Bytes.h"

namespace sonorelle::test {

QByteArray Syncsafe32(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 3; i >= 0; --i, value >>= 7)
        bytes[i] = char(value & 0x7F);
    return bytes;
}

QByteArray BigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 3; i >= 0; --i, value >>= 8)
        bytes[i] = char(value & 0xFF);
    return bytes;
}

QByteArray V2Frame(const char* id, const QByteArray& data)
{
    return QByteArray(id) + BigEndian32(quint32(data.size())).sliced(1) + data;
}

QByteArray V3Frame(const char* id, const QByteArray& data, std::uint8_t formatFlags)
{
    return QByteArray(id) + BigEndian32(quint32(data.size())) + '\0' + char(formatFlags) + data;
}

QByteArray V4Frame(const char* id, const QByteArray& data, std::uint8_t formatFlags)
{
    return QByteArray(id) + Syncsafe32(quint32(data.size())) + '\0' + char(formatFlags) + data;
}

QByteArray ID3v2Tag(int majorVersion, const QByteArray& body, std::uint8_t flags)
{
    return QByteArray("ID3") + char(majorVersion) + '\0' + char(flags) + Syncsafe32(quint32(body.size())) + body;
}

QByteArray Unsynchronised(QByteArray bytes)
{
    return bytes.replace("\xFF", QByteArray("\xFF\0", 2));
}

QByteArray Latin1Text(const QByteArray& text)
{
    return '\0' + text;
}

}  // namespace sonorelle::test
