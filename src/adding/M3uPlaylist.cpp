#include "adding/M3uPlaylist.h"

#include "adding/PlaylistText.h"

#include <optional>

namespace sonorelle {

namespace {

// "#EXTINF:215,Artist - Song": the seconds lie between the first ':' and the first
// ',', the title is everything after that ','. A line without both keeps 0 seconds;
// without a ',' the whole line is the title.
PlaylistEntry describedBy(QStringView extinf)
{
    PlaylistEntry entry;
    const qsizetype comma = extinf.indexOf(u',');
    const qsizetype colon = extinf.indexOf(u':');
    entry.title = (comma < 0 ? extinf : extinf.sliced(comma + 1)).toString();
    if (colon >= 0 && colon < comma)
        entry.seconds = RoundHalfEven(LeadingValue(extinf.sliced(colon + 1, comma - colon - 1)));
    return entry;
}

}  // namespace

QList<PlaylistEntry> ParseM3uPlaylist(QStringView text, const PlaylistPathResolver& paths)
{
    QList<PlaylistEntry> entries;
    std::optional<PlaylistEntry> described;
    ForEachLine(text, [&](QStringView line) {
        if (line.startsWith(u'#')) {
            if (line.startsWith(u"#EXTINF", Qt::CaseInsensitive))
                described = describedBy(line);
            return;
        }
        if (line.trimmed().isEmpty())
            return;
        PlaylistEntry entry = described ? std::move(*described) : PlaylistEntry{line.toString(), {}, 0};
        described.reset();
        entry.file = paths.resolve(line);
        entries.append(std::move(entry));
    });
    return entries;
}

}  // namespace sonorelle
