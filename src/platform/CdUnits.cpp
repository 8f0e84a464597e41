#include "platform/CdUnits.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cdio/cdio.h>
#include <cdio/device.h>
#include <cdio/memory.h>

namespace sonorelle {

namespace {

QString driveLabel(const char* device)
{
    QString label;
    if (CdIo_t* cd = cdio_open(device, DRIVER_DEVICE)) {
        cdio_hwinfo_t info{};
        if (cdio_get_hwinfo(cd, &info)) {
            label = QString::fromLatin1(info.psz_vendor).trimmed() + u' ' + QString::fromLatin1(info.psz_model).trimmed();
            label = label.trimmed();
        }
        cdio_destroy(cd);
    }
    return label.isEmpty() ? QString::fromLocal8Bit(device) : label;
}

QList<CdUnit> systemDrives()
{
    QList<CdUnit> drives;
    driver_id_t driver = DRIVER_DEVICE;
    char** devices = cdio_get_devices_ret(&driver);
    if (devices == nullptr)
        return drives;
    for (char** device = devices; *device != nullptr; ++device)
        drives.append(CdUnit{driveLabel(*device), QString::fromLocal8Bit(*device), false, {}});
    cdio_free_device_list(devices);
    return drives;
}

}  // namespace

QString DiscImageProblem(const QString& imagePath)
{
    const QFileInfo image(imagePath);
    if (!image.isFile())
        return QStringLiteral("The disc image %1 does not exist.").arg(imagePath);
    if (image.suffix().compare(u"cue", Qt::CaseInsensitive) != 0)
        return {};
    char* binName = cdio_is_cuefile(QFile::encodeName(imagePath).constData());
    if (binName == nullptr) {
        return QStringLiteral("%1 is not a cue sheet that can be read (its name must end in .cue or .CUE).")
            .arg(imagePath);
    }
    const QString bin = QFile::decodeName(binName);
    cdio_free(binName);
    if (!QFileInfo(bin).isFile())
        return QStringLiteral("The disc image %1 needs its data file %2 beside it, and that file is missing.")
            .arg(imagePath, bin);
    return {};
}

QList<CdUnit> ListCDDrives(const QString& cdImages)
{
    QList<CdUnit> units = systemDrives();
    for (const QString& entry : cdImages.split(u';', Qt::SkipEmptyParts)) {
        const QString path = entry.trimmed();
        const QFileInfo image(path);
        if (path.isEmpty() || !image.isFile())
            continue;
        units.append(CdUnit{image.fileName(), path, true, DiscImageProblem(path)});
    }
    if (units.isEmpty())
        units.append(CdUnit{QStringLiteral("(no CD drive)"), {}, false, {}});
    return units;
}

}  // namespace sonorelle
