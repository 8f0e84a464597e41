#include "platform/CdWavHeader.h"

#include <QtEndian>

namespace sonorelle {

namespace {

void put16(QByteArray& bytes, quint16 value)
{
    char le[2];
    qToLittleEndian(value, le);
    bytes.append(le, 2);
}

void put32(QByteArray& bytes, quint32 value)
{
    char le[4];
    qToLittleEndian(value, le);
    bytes.append(le, 4);
}

}  // namespace

QByteArray CdWavHeader(quint32 dataBytes)
{
    QByteArray header;
    header.reserve(CdWavHeaderBytes);
    header.append("RIFF");
    put32(header, dataBytes + 36);
    header.append("WAVEfmt ");
    put32(header, 16);
    put16(header, 1);  // PCM
    put16(header, 2);
    put32(header, 44100);
    put32(header, 44100 * 4);
    put16(header, 4);
    put16(header, 16);
    header.append("data");
    put32(header, dataBytes);
    return header;
}

}  // namespace sonorelle
