#include "ui/BrowserFolders.h"

#include "platform/WinePaths.h"

#include <QDir>

namespace sonorelle {

QStringList BrowserFolders::chain(const QString& root, const QString& current)
{
    const QString base = QDir::cleanPath(root);
    const QString target = QDir::cleanPath(current);
    if (root.isEmpty() || current.isEmpty())
        return current.isEmpty() ? QStringList{} : QStringList{target};
    const QString relative = QDir(base).relativeFilePath(target);
    if (relative.startsWith(QStringLiteral("..")) || QDir::isAbsolutePath(relative))
        return {target};
    QStringList folders{base};
    if (relative == u".")
        return folders;
    for (const QString& name : relative.split(u'/', Qt::SkipEmptyParts))
        folders.append(JoinPath(folders.last(), name));
    return folders;
}

QStringList BrowserFolders::subfolders(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    QStringList folders;
    const QStringList names =
        QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names)
        folders.append(JoinPath(folder, name));
    return folders;
}

}  // namespace sonorelle
