#pragma once

#include "platform/CdUnits.h"
#include "ui/BrowserDrive.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace sonorelle {

// A mounted volume as the drive list needs it (QStorageInfo's facts, so tests can
// give their own).
struct MountedVolume {
    QString rootPath;
    QString name;
    QByteArray fileSystemType;
    QByteArray device;
};

// The drives of the file browser: the home folder first, then the mounted volumes a
// person keeps files on, then the CD units.
class BrowserDriveList {
public:
    static QList<BrowserDrive> compose(const QString& home, const QList<MountedVolume>& volumes,
                                       const QList<CdUnit>& cdUnits);
    // The same over this machine's home folder and mounted volumes.
    static QList<BrowserDrive> ofThisMachine(const QList<CdUnit>& cdUnits);

    // False for the kernel's and the system's own mounts (proc, sysfs, tmpfs, ...).
    static bool keepsPersonalFiles(const MountedVolume& volume);

    // The drive whose root holds folder most closely, -1 when none does.
    static int driveOf(const QList<BrowserDrive>& drives, const QString& folder);
};

}  // namespace sonorelle
