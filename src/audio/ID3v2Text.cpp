#include "audio/ID3v2Text.h"

#include <QStringDecoder>

namespace sonorelle {

namespace {

enum TextEncoding : char { Latin1 = 0, Utf16WithBom = 1, Utf16BigEndian = 2, Utf8 = 3 };

QByteArrayView UpToNul(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.first(nul);
}

// Cut at the first 16-bit NUL; an odd last byte cannot be a character and is dropped.
QByteArrayView UpToNul16(QByteArrayView bytes)
{
    qsizetype end = 0;
    while (end + 1 < bytes.size() && (bytes[end] != '\0' || bytes[end + 1] != '\0'))
        end += 2;
    return bytes.first(end);
}

QString DecodeUtf16(QByteArrayView bytes, QStringConverter::Encoding byteOrder)
{
    QStringDecoder decoder(byteOrder);
    return decoder.decode(UpToNul16(bytes));
}

QString DecodeUtf16WithBom(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return DecodeUtf16(bytes.sliced(2), QStringConverter::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return DecodeUtf16(bytes.sliced(2), QStringConverter::Utf16BE);
    // Without a mark the byte order is big-endian.
    return DecodeUtf16(bytes, QStringConverter::Utf16BE);
}

}  // namespace

std::optional<QString> DecodeID3v2Text(QByteArrayView frameData)
{
    if (frameData.isEmpty())
        return std::nullopt;
    const QByteArrayView text = frameData.sliced(1);
    switch (frameData[0]) {
    case Latin1:
        return QString::fromLatin1(UpToNul(text));
    case Utf16WithBom:
        return DecodeUtf16WithBom(text);
    case Utf16BigEndian:
        return DecodeUtf16(text, QStringConverter::Utf16BE);
    case Utf8:
        return QString::fromUtf8(UpToNul(text));
    default:
        return std::nullopt;
    }
}

}  // namespace sonorelle
