#pragma once

#include <QByteArray>
#include <QIODevice>

namespace sonorelle {

class CdDisc;

// A range of frames of an open unit presented as a WAV file (44-byte header, then the
// frames), read from the unit chunk by chunk as a reader asks, so a track can play
// without being ripped first. The disc must outlive the device.
class CdTrackDevice : public QIODevice {
    Q_OBJECT

public:
    CdTrackDevice(CdDisc& disc, qint32 first, qint32 end, QObject* parent = nullptr);

    bool isSequential() const override { return false; }
    qint64 size() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    bool loadChunkWith(qint32 frame);

    CdDisc& disc_;
    qint32 first_;
    qint32 end_;
    QByteArray header_;
    QByteArray chunk_;        // frames read last, from chunkFirst_ on
    qint32 chunkFirst_ = -1;
};

}  // namespace sonorelle
