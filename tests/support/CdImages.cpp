#include "support/CdImages.h"

#include "support/FileBytes.h"

#include <QtEndian>

namespace sonorelle::test {

namespace {

constexpr int FrameBytes = 2352;

QByteArray msf(qint64 frames)
{
    return QStringLiteral("%1:%2:%3")
        .arg(frames / 75 / 60, 2, 10, QLatin1Char('0'))
        .arg(frames / 75 % 60, 2, 10, QLatin1Char('0'))
        .arg(frames % 75, 2, 10, QLatin1Char('0'))
        .toLatin1();
}

qint64 discFrames(const ImageDisc& disc)
{
    qint64 frames = 0;
    for (const ImageTrack& track : disc.tracks)
        frames += track.pregapFrames + track.frames;
    return frames;
}

QByteArray le32(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

void writeBin(const QString& path, const ImageDisc& disc)
{
    WriteFile(path, PatternBytes(0, discFrames(disc) * FrameBytes));
}

}  // namespace

QByteArray PatternBytes(qint64 offset, qint64 count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    for (qint64 i = 0; i < count; ++i) {
        const qint64 at = offset + i;
        bytes[i] = static_cast<char>((at * 7 + at / FrameBytes * 13) & 0xFF);
    }
    return bytes;
}

QByteArray ExpectedWav(qint64 firstFrame, qint64 frames)
{
    const auto length = static_cast<quint32>(frames * FrameBytes);
    return "RIFF" + le32(length + 36)
           + QByteArray::fromHex("57415645666d74201000000001000200" "44ac000010b102000400100064617461") + le32(length)
           + PatternBytes(firstFrame * FrameBytes, frames * FrameBytes);
}

qint32 TrackStartFrame(const ImageDisc& disc, int index)
{
    qint32 start = 0;
    for (int i = 0; i < index; ++i)
        start += disc.tracks.at(i).pregapFrames + disc.tracks.at(i).frames;
    return start + disc.tracks.at(index).pregapFrames;
}

QString WriteCueImage(const QString& folder, const QString& base, const ImageDisc& disc)
{
    QByteArray cue;
    if (!disc.title.isEmpty())
        cue += "TITLE \"" + disc.title + "\"\r\nPERFORMER \"" + disc.performer + "\"\r\n";
    cue += "FILE \"" + base.toUtf8() + ".bin\" BINARY\r\n";
    for (int i = 0; i < disc.tracks.size(); ++i) {
        const ImageTrack& track = disc.tracks.at(i);
        cue += QStringLiteral("  TRACK %1 ").arg(i + 1, 2, 10, QLatin1Char('0')).toLatin1()
               + (track.audio ? "AUDIO" : "MODE1/2352") + "\r\n";
        if (!track.title.isEmpty())
            cue += "    TITLE \"" + track.title + "\"\r\n    PERFORMER \"" + track.performer + "\"\r\n";
        const qint32 start = TrackStartFrame(disc, i);
        if (track.pregapFrames > 0)
            cue += "    INDEX 00 " + msf(start - track.pregapFrames) + "\r\n";
        cue += "    INDEX 01 " + msf(start) + "\r\n";
    }
    WriteFile(folder + u'/' + base + QStringLiteral(".cue"), cue);
    writeBin(folder + u'/' + base + QStringLiteral(".bin"), disc);
    return folder + u'/' + base + QStringLiteral(".cue");
}

QString WriteTocImage(const QString& folder, const QString& base, const ImageDisc& disc)
{
    QByteArray toc = "CD_DA\n";
    auto text = [](const QByteArray& title, const QByteArray& performer) -> QByteArray {
        // libcdio reads CD_TEXT blocks one item a line.
        return "CD_TEXT {\n  LANGUAGE 0 {\n    TITLE \"" + title + "\"\n    PERFORMER \"" + performer + "\"\n  }\n}\n";
    };
    if (!disc.title.isEmpty())
        toc += text(disc.title, disc.performer);
    for (int i = 0; i < disc.tracks.size(); ++i) {
        const ImageTrack& track = disc.tracks.at(i);
        toc += "TRACK AUDIO\n";
        if (!track.title.isEmpty())
            toc += text(track.title, track.performer);
        const qint32 start = TrackStartFrame(disc, i);
        toc += "FILE \"" + base.toUtf8() + ".bin\" " + msf(start - track.pregapFrames) + ' '
               + msf(track.pregapFrames + track.frames) + '\n';
        if (track.pregapFrames > 0)
            toc += "START " + msf(track.pregapFrames) + '\n';
    }
    WriteFile(folder + u'/' + base + QStringLiteral(".toc"), toc);
    writeBin(folder + u'/' + base + QStringLiteral(".bin"), disc);
    return folder + u'/' + base + QStringLiteral(".toc");
}

}  // namespace sonorelle::test
