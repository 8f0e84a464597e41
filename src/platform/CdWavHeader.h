#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace sonorelle {

constexpr int CdWavHeaderBytes = 44;

// The 44-byte header of a WAV file holding dataBytes of CD audio: PCM, 44100 Hz,
// 16-bit, stereo.
QByteArray CdWavHeader(quint32 dataBytes);

}  // namespace sonorelle
