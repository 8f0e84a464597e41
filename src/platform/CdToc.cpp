#include "platform/CdToc.h"

namespace sonorelle {

const CdTocTrack* CdToc::track(int number) const
{
    for (const CdTocTrack& entry : tracks) {
        if (entry.number == number)
            return &entry;
    }
    return nullptr;
}

}  // namespace sonorelle
