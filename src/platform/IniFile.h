#pragma once

#include <QHash>
#include <QString>

namespace sonorelle {

// One key of an INI file, read like the Windows profile reader: section and key
// without regard to case, blanks around key and value trimmed, the value cut at
// 254 characters; "" for a missing file, section or key. UTF-8 (a BOM is skipped);
// a file that is not valid UTF-8 is read as Latin-1.
QString ReadIni(const QString& filePath, const QString& section, const QString& key);

// Every key of one section, read the same way, by case-folded key name; empty for a
// missing file or section.
QHash<QString, QString> ReadIniSection(const QString& filePath, const QString& section);

}  // namespace sonorelle
