#include "ui/BrowserDrive.h"

#include "platform/CdDiscProbe.h"
#include "platform/VolumeReadiness.h"

#include <QFileInfo>

namespace sonorelle {

bool BrowserDrive::isReady() const
{
    if (kind == Kind::CdUnit)
        return CdUnitHoldsDisc(cd);
    const QFileInfo folder(root);
    return IsVolumeReady(root) && folder.isDir() && folder.isReadable() && folder.isExecutable();
}

QString BrowserDrive::problem() const
{
    return kind == Kind::CdUnit && cd.isImage ? DiscImageProblem(cd.source) : QString();
}

}  // namespace sonorelle
