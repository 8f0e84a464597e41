#include "platform/VolumeReadiness.h"

#include <QStorageInfo>

namespace sonorelle {

bool IsVolumeReady(const QString& path)
{
    const QStorageInfo volume(path);
    return volume.isValid() && volume.isReady();
}

}  // namespace sonorelle
