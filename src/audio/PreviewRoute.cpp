#include "audio/PreviewRoute.h"

namespace sonorelle {

PreviewRoute PreviewRouteOf(const QString& extension)
{
    const QString lower = extension.toLower();
    if (lower == u"mp3" || lower == u"wav")
        return PreviewRoute::Direct;
    if (lower == u"asf" || lower == u"str" || lower == u"sng")
        return PreviewRoute::Decoded;
    if (lower == u"cda")
        return PreviewRoute::CdTrack;
    return PreviewRoute::Nothing;
}

}  // namespace sonorelle
