#include "platform/CdTrackListing.h"

namespace sonorelle {

QString CdLengthText(qint32 frames)
{
    const qint32 seconds = frames / 75;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QList<CdaEntry> ListCdaEntries(const CdDisc& disc)
{
    QList<CdaEntry> entries;
    for (const CdTocTrack& track : disc.toc().tracks) {
        if (!track.isAudio)
            continue;
        const CdTextEntry text = disc.cdText(track.number);
        entries.append(CdaEntry{QStringLiteral("Track%1.cda").arg(track.number, 2, 10, QLatin1Char('0')),
                                track.number, track.start, track.frameCount(), CdLengthText(track.frameCount()),
                                text.title, text.performer});
    }
    return entries;
}

QList<CdaEntry> ListCdaEntries(const CdUnit& unit, QString* error)
{
    const std::unique_ptr<CdDisc> disc = CdDisc::OpenCD(unit, error);
    return disc ? ListCdaEntries(*disc) : QList<CdaEntry>();
}

}  // namespace sonorelle
