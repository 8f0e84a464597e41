#include "adding/PlaylistFormat.h"

namespace sonorelle {

PlaylistFormat SniffPlaylistFormat(QStringView text)
{
    const QStringView start = text.trimmed();
    if (start.startsWith(u"[playlist]", Qt::CaseInsensitive))
        return PlaylistFormat::Pls;
    if (start.startsWith(u'<'))
        return PlaylistFormat::Xspf;
    return PlaylistFormat::M3u;
}

}  // namespace sonorelle
