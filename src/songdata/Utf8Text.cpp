#include "songdata/Utf8Text.h"

namespace sonorelle {

namespace {

bool isContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

QString DecodeUTF8(QByteArrayView bytes)
{
    return QString::fromUtf8(bytes);
}

QByteArray EncodeUTF8(const QString& text)
{
    return text.toUtf8();
}

QByteArray Utf8Prefix(const QByteArray& utf8, qsizetype maxBytes)
{
    if (utf8.size() <= maxBytes)
        return utf8;
    qsizetype cut = maxBytes;
    // Back up to the lead byte of the character that the cut would split.
    while (cut > 0 && isContinuationByte(utf8.at(cut)))
        --cut;
    return utf8.left(cut);
}

}  // namespace sonorelle
