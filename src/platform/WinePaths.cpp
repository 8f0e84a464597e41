#include "platform/WinePaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace sonorelle {

namespace {

bool startsWithDriveLetter(const QString& path)
{
    return path.size() >= 2 && path[0].unicode() < 128 && path[0].isLetter() && path[1] == u':' &&
           (path.size() == 2 || path[2] == u'\\' || path[2] == u'/');
}

// dosdevices/c: is usually a link to ../drive_c; old or half-made prefixes lack it.
QString driveRoot(QChar letter, const QString& winePrefix)
{
    const QString device = winePrefix + QStringLiteral("/dosdevices/") + letter.toLower() + u':';
    const QFileInfo info(device);
    if (info.isSymLink())
        return info.symLinkTarget();
    if (info.exists() || letter.toLower() != u'c')
        return device;
    return winePrefix + QStringLiteral("/drive_c");
}

}  // namespace

QString EntryOnDisk(const QString& folder, const QString& name)
{
    if (QFileInfo::exists(JoinPath(folder, name)))
        return name;
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

QString TranslateWindowsPath(const QString& path, const QString& winePrefix)
{
    if (!startsWithDriveLetter(path))
        return path;
    QString result = driveRoot(path[0], winePrefix);
    bool onDisk = true;
    const QStringList components = QString(path.mid(2)).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
    for (const QString& component : components) {
        QString name = component;
        if (onDisk) {
            const QString found = EntryOnDisk(result, component);
            onDisk = !found.isEmpty();
            if (onDisk)
                name = found;
        }
        result = JoinPath(result, name);
    }
    if ((path.endsWith(u'\\') || path.endsWith(u'/') || components.isEmpty()) && !result.endsWith(u'/'))
        result += u'/';
    return result;
}

QString PathIgnoringCase(const QString& folder, const QString& name)
{
    const QString found = EntryOnDisk(folder, name);
    return JoinPath(folder, found.isEmpty() ? name : found);
}

QString JoinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    qsizetype end = folder.size();
    while (end > 0 && folder[end - 1] == u'/')
        --end;
    qsizetype start = 0;
    while (start < name.size() && name[start] == u'/')
        ++start;
    return folder.first(end) + u'/' + name.mid(start);
}

}  // namespace sonorelle
