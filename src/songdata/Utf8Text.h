#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace sonorelle {

// The song list's text fields are UTF-8. Invalid sequences decode to U+FFFD.
QString DecodeUTF8(QByteArrayView bytes);
QByteArray EncodeUTF8(const QString& text);

// The longest prefix of the UTF-8 bytes that fits maxBytes without splitting a
// character, so a cut field never ends in a broken sequence.
QByteArray Utf8Prefix(const QByteArray& utf8, qsizetype maxBytes);

}  // namespace sonorelle
