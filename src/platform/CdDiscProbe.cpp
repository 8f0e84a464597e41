#include "platform/CdDiscProbe.h"

#include "platform/CdDisc.h"

#include <QFile>

#include <cdio/cdio.h>
#include <cdio/disc.h>

namespace sonorelle {

bool CdUnitHoldsDisc(const CdUnit& unit)
{
    if (unit.isPlaceholder())
        return false;
    if (unit.isImage) {
        QString error;
        return CdDisc::OpenCD(unit, &error) != nullptr;
    }
    CdIo_t* cd = cdio_open(QFile::encodeName(unit.source).constData(), DRIVER_DEVICE);
    if (cd == nullptr)
        return false;
    // An empty tray opens fine; only a disc has a table of contents.
    const bool holdsDisc = cdio_get_num_tracks(cd) != CDIO_INVALID_TRACK;
    cdio_destroy(cd);
    return holdsDisc;
}

}  // namespace sonorelle
