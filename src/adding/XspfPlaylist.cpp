#include "adding/XspfPlaylist.h"

#include "adding/PlaylistText.h"

#include <QXmlStreamReader>

namespace sonorelle {

namespace {

struct XspfTrack {
    QString location;
    QString title;
    QString creator;
    QString duration;
};

// Reads the children of the <track> the reader stands on, up to its end tag; a
// child is read once, so the first of several locations counts.
XspfTrack readTrack(QXmlStreamReader& xml)
{
    XspfTrack track;
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        QString* field = name == u"location" ? &track.location
                         : name == u"title"  ? &track.title
                         : name == u"creator" ? &track.creator
                         : name == u"duration" ? &track.duration
                                               : nullptr;
        if (field && field->isEmpty())
            *field = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        else
            xml.skipCurrentElement();
    }
    return track;
}

PlaylistEntry entryOf(const XspfTrack& track, const PlaylistPathResolver& paths)
{
    PlaylistEntry entry;
    if (!track.creator.isEmpty() && !track.title.isEmpty())
        entry.title = track.creator + QStringLiteral(" - ") + track.title;
    else
        entry.title = track.title.isEmpty() ? track.location : track.title;
    entry.file = paths.resolveLocation(track.location);
    entry.seconds = RoundHalfEven(LeadingValue(track.duration) / 1000);
    return entry;
}

}  // namespace

QList<PlaylistEntry> ParseXspfPlaylist(QByteArrayView bytes, const PlaylistPathResolver& paths, QString* error)
{
    QList<PlaylistEntry> entries;
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), bytes.size()));
    int trackListDepth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"trackList") {
            ++trackListDepth;
        } else if (xml.isEndElement() && xml.name() == u"trackList") {
            --trackListDepth;
        } else if (xml.isStartElement() && xml.name() == u"track" && trackListDepth > 0) {
            const XspfTrack track = readTrack(xml);
            if (!xml.hasError() && !track.location.isEmpty())
                entries.append(entryOf(track, paths));
        }
    }
    if (xml.hasError() && error)
        *error = QStringLiteral("%1 at line %2, column %3")
                     .arg(xml.errorString())
                     .arg(xml.lineNumber())
                     .arg(xml.columnNumber());
    return entries;
}

}  // namespace sonorelle
