#include "support/CdImages.h"

#include "support/FileBytes.h"

#include <QtEndian>

namespace sonorelle::test {

namespace {

constexpr int FrameBytes = 2352;

QByteArray msf(qint64 frames)
{
    return QStringLiteral("%1:%2:%3")
        .arg(frames / 4500, 2, 10, QLatin1Char('0'))
        .arg(frames / 75 % 60, 2, 10, QLatin1Char('0'))
        .arg(frames % 75, 2, 10, QLatin1Char('0'))
        .toLatin1();
}

QByteArray le32(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

// Writes the .bin and the sheet whose track lines `trackText` gives (from the track,
// its first frame after the pregap); returns the sheet as a unit.
template <typename TrackText>
CdUnit writeImage(const QString& folder, const QString& base, const QString& suffix, QByteArray sheet,
                  const ImageDisc& disc, TrackText trackText)
{
    qint64 frames = 0;
    for (int i = 0; i < disc.tracks.size(); ++i) {
        frames += disc.tracks.at(i).pregapFrames;
        sheet += trackText(i, frames);
        frames += disc.tracks.at(i).frames;
    }
    const QString path = folder + u'/' + base + suffix;
    WriteFile(path, sheet);
    WriteFile(folder + u'/' + base + QStringLiteral(".bin"), PatternBytes(0, frames * FrameBytes));
    return CdUnit{base + suffix, path, true, {}};
}

}  // namespace

QByteArray PatternBytes(qint64 offset, qint64 count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    for (qint64 at = offset; at < offset + count; ++at)
        bytes[at - offset] = static_cast<char>((at * 7 + at / FrameBytes * 13) & 0xFF);
    return bytes;
}

QByteArray ExpectedWav(qint64 firstFrame, qint64 frames)
{
    const auto length = static_cast<quint32>(frames * FrameBytes);
    return "RIFF" + le32(length + 36)
           + QByteArray::fromHex("57415645666d74201000000001000200" "44ac000010b102000400100064617461") + le32(length)
           + PatternBytes(firstFrame * FrameBytes, frames * FrameBytes);
}

CdUnit WriteCueImage(const QString& folder, const QString& base, const ImageDisc& disc)
{
    QByteArray cue;
    if (!disc.title.isEmpty())
        cue += "TITLE \"" + disc.title + "\"\r\nPERFORMER \"" + disc.performer + "\"\r\n";
    cue += "FILE \"" + base.toUtf8() + ".bin\" BINARY\r\n";
    return writeImage(folder, base, QStringLiteral(".cue"), cue, disc, [&](int i, qint64 start) {
        const ImageTrack& track = disc.tracks.at(i);
        QByteArray text = "  TRACK " + QByteArray::number(i + 1).rightJustified(2, '0')
                          + (track.audio ? " AUDIO\r\n" : " MODE1/2352\r\n");
        if (!track.title.isEmpty())
            text += "    TITLE \"" + track.title + "\"\r\n    PERFORMER \"" + track.performer + "\"\r\n";
        if (track.pregapFrames > 0)
            text += "    INDEX 00 " + msf(start - track.pregapFrames) + "\r\n";
        return text + "    INDEX 01 " + msf(start) + "\r\n";
    });
}

CdUnit WriteTocImage(const QString& folder, const QString& base, const ImageDisc& disc)
{
    // libcdio reads CD_TEXT blocks one item a line.
    auto cdText = [](const QByteArray& title, const QByteArray& performer) -> QByteArray {
        return "CD_TEXT {\n  LANGUAGE 0 {\n    TITLE \"" + title + "\"\n    PERFORMER \"" + performer + "\"\n  }\n}\n";
    };
    return writeImage(folder, base, QStringLiteral(".toc"), "CD_DA\n" + cdText(disc.title, disc.performer), disc,
                      [&](int i, qint64 start) {
                          const ImageTrack& track = disc.tracks.at(i);
                          return "TRACK AUDIO\n" + cdText(track.title, track.performer) + "FILE \"" + base.toUtf8()
                                 + ".bin\" " + msf(start - track.pregapFrames) + ' '
                                 + msf(track.pregapFrames + track.frames) + "\nSTART " + msf(track.pregapFrames)
                                 + '\n';
                      });
}

}  // namespace sonorelle::test
