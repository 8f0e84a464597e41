#include "platform/CdTrackDevice.h"

#include "platform/CdDisc.h"
#include "platform/CdWavHeader.h"

#include <algorithm>
#include <cstring>

namespace sonorelle {

namespace {

// As many frames as a rip reads at once: enough to keep a drive streaming.
constexpr qint32 ChunkFrames = 26;

}  // namespace

CdTrackDevice::CdTrackDevice(CdDisc& disc, qint32 first, qint32 end, QObject* parent)
    : QIODevice(parent)
    , disc_(disc)
    , first_(first)
    , end_(qMax(first, end))
    , header_(CdWavHeader(quint32(end_ - first_) * CdFrameBytes))
{
}

qint64 CdTrackDevice::size() const
{
    return CdWavHeaderBytes + qint64(end_ - first_) * CdFrameBytes;
}

bool CdTrackDevice::loadChunkWith(qint32 frame)
{
    if (chunkFirst_ >= 0 && frame >= chunkFirst_ && frame < chunkFirst_ + chunk_.size() / CdFrameBytes)
        return true;
    // Stop a chunk at the disc's end, so a reader gets every frame there is before
    // the read past it fails.
    const qint32 count = std::max(1, std::min({ChunkFrames, end_ - frame, disc_.toc().leadOut - frame}));
    chunk_.resize(qsizetype(count) * CdFrameBytes);
    QString error;
    if (!disc_.readFrames(frame, count, chunk_.data(), &error)) {
        chunkFirst_ = -1;
        setErrorString(error);
        return false;
    }
    chunkFirst_ = frame;
    return true;
}

qint64 CdTrackDevice::readData(char* data, qint64 maxSize)
{
    qint64 at = pos();
    qint64 copied = 0;
    while (copied < maxSize && at < size()) {
        qint64 piece = 0;
        if (at < CdWavHeaderBytes) {
            piece = qMin<qint64>(maxSize - copied, CdWavHeaderBytes - at);
            std::memcpy(data + copied, header_.constData() + at, size_t(piece));
        } else {
            const qint64 audioAt = at - CdWavHeaderBytes;
            const auto frame = static_cast<qint32>(first_ + audioAt / CdFrameBytes);
            if (!loadChunkWith(frame))
                return copied > 0 ? copied : -1;
            const qint64 chunkAt = qint64(frame - chunkFirst_) * CdFrameBytes + audioAt % CdFrameBytes;
            piece = qMin(maxSize - copied, qint64(chunk_.size()) - chunkAt);
            std::memcpy(data + copied, chunk_.constData() + chunkAt, size_t(piece));
        }
        copied += piece;
        at += piece;
    }
    return copied;
}

qint64 CdTrackDevice::writeData(const char* /*data*/, qint64 /*maxSize*/)
{
    return -1;
}

}  // namespace sonorelle
