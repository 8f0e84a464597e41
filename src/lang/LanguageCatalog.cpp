#include "lang/LanguageCatalog.h"

#include "platform/IniFile.h"
#include "platform/WinePaths.h"

#include <QDir>

namespace sonorelle {

QList<LanguageFileInfo> LanguageCatalog::scan(const QString& folder)
{
    QList<LanguageFileInfo> files;
    const QStringList names =
        QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        if (name.endsWith(QStringLiteral("lng"), Qt::CaseInsensitive))
            files.append(readInfo(JoinPath(folder, name)));
    }
    return files;
}

LanguageFileInfo LanguageCatalog::readInfo(const QString& path)
{
    const QString global = QStringLiteral("Global");
    LanguageFileInfo info;
    info.path = path;
    if (path.isEmpty())
        return info;
    info.Language = ReadIni(path, global, QStringLiteral("Language"));
    info.Autor = ReadIni(path, global, QStringLiteral("Autor"));
    info.email = ReadIni(path, global, QStringLiteral("email"));
    info.www = ReadIni(path, global, QStringLiteral("www"));
    info.version = ReadIni(path, global, QStringLiteral("version"));
    return info;
}

int LanguageCatalog::indexOf(const QList<LanguageFileInfo>& files, const QString& path)
{
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (files[i].path.compare(path, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace sonorelle
