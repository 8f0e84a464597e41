#include "ui/BrowserDriveList.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

namespace sonorelle {

namespace {

const QSet<QByteArray>& SystemFileSystems()
{
    static const QSet<QByteArray> types{
        "autofs", "binfmt_misc", "bpf",   "cgroup",  "cgroup2",    "configfs", "debugfs", "devpts",
        "devtmpfs", "efivarfs",  "fusectl", "hugetlbfs", "mqueue", "nsfs",    "overlay", "proc",
        "pstore", "ramfs",       "rpc_pipefs", "securityfs", "squashfs", "sysfs", "tmpfs", "tracefs"};
    return types;
}

bool IsBelow(const QString& path, const QString& folder)
{
    if (folder == u"/")
        return path.startsWith(u'/');
    return path == folder || path.startsWith(folder + u'/');
}

QString VolumeName(const MountedVolume& volume)
{
    return volume.name.isEmpty() ? volume.rootPath : QStringLiteral("%1  [%2]").arg(volume.rootPath, volume.name);
}

// Where the unit's disc is mounted, if it is.
QString MountPointOf(const CdUnit& unit, const QList<MountedVolume>& volumes)
{
    if (unit.isImage || unit.source.isEmpty())
        return {};
    const QString device = QFileInfo(unit.source).canonicalFilePath();
    for (const MountedVolume& volume : volumes) {
        const QString mounted = QString::fromLocal8Bit(volume.device);
        if (mounted == unit.source || (!device.isEmpty() && QFileInfo(mounted).canonicalFilePath() == device))
            return volume.rootPath;
    }
    return {};
}

}  // namespace

bool BrowserDriveList::keepsPersonalFiles(const MountedVolume& volume)
{
    // The root stays whatever it is mounted as (in a container it is an overlay).
    if (volume.rootPath == u"/")
        return true;
    if (SystemFileSystems().contains(volume.fileSystemType))
        return false;
    // Removable media are mounted below /run/media or /media; the rest of /run,
    // /proc, /sys, /dev and /boot belong to the system.
    if (IsBelow(volume.rootPath, QStringLiteral("/run/media")))
        return true;
    for (const char* system : {"/run", "/proc", "/sys", "/dev", "/boot", "/snap"}) {
        if (IsBelow(volume.rootPath, QString::fromLatin1(system)))
            return false;
    }
    return true;
}

QList<BrowserDrive> BrowserDriveList::compose(const QString& home, const QList<MountedVolume>& volumes,
                                              const QList<CdUnit>& cdUnits)
{
    QList<BrowserDrive> drives;
    drives.append(BrowserDrive{BrowserDrive::Kind::Home, home, home, {}});
    QSet<QString> roots{home};
    for (const MountedVolume& volume : volumes) {
        if (!keepsPersonalFiles(volume) || roots.contains(volume.rootPath))
            continue;
        roots.insert(volume.rootPath);
        drives.append(BrowserDrive{BrowserDrive::Kind::Volume, VolumeName(volume), volume.rootPath, {}});
    }
    for (const CdUnit& unit : cdUnits) {
        if (unit.isPlaceholder())
            continue;
        drives.append(BrowserDrive{BrowserDrive::Kind::CdUnit, QStringLiteral("CD: %1").arg(unit.label),
                                   MountPointOf(unit, volumes), unit});
    }
    return drives;
}

QList<BrowserDrive> BrowserDriveList::ofThisMachine(const QList<CdUnit>& cdUnits)
{
    QList<MountedVolume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes())
        volumes.append(MountedVolume{storage.rootPath(), storage.name(), storage.fileSystemType(), storage.device()});
    return compose(QDir::homePath(), volumes, cdUnits);
}

int BrowserDriveList::driveOf(const QList<BrowserDrive>& drives, const QString& folder)
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < drives.size(); ++i) {
        const QString& root = drives[i].root;
        if (root.isEmpty() || !IsBelow(folder, root) || root.size() <= bestLength)
            continue;
        best = i;
        bestLength = root.size();
    }
    return best;
}

}  // namespace sonorelle
