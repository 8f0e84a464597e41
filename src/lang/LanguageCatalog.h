#pragma once

#include <QList>
#include <QString>

namespace sonorelle {

// The "Global" facts of one language file.
struct LanguageFileInfo {
    QString path;
    QString Language;  // display name
    QString Autor;     // translator
    QString email;
    QString www;
    QString version;
};

// The language files of a folder: every file whose name ends in "lng", compared
// without regard to case, sorted by name as a file list shows them.
class LanguageCatalog {
public:
    static QList<LanguageFileInfo> scan(const QString& folder);

    // The "Global" section of one file; every field empty for a missing file.
    static LanguageFileInfo readInfo(const QString& path);

    // The position of path in files (compared without regard to case), or -1.
    static int indexOf(const QList<LanguageFileInfo>& files, const QString& path);
};

}  // namespace sonorelle
