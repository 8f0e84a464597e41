#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>

namespace sonorelle {

// An INI file parsed the way the Windows profile reader sees it: the first section
// of a name and the first key of a name within it count, names compare without
// regard to case, comment lines start with ';'.
class IniDocument {
public:
    static constexpr qsizetype maxValueLength = 254;

    // UTF-8 (a BOM is skipped); bytes that are not valid UTF-8 are read as Latin-1.
    static IniDocument parse(QByteArrayView bytes);

    // The trimmed value without enclosing quotes, cut at maxValueLength; "" when missing.
    QString value(const QString& section, const QString& key) const;

    // Every key of a section, by case-folded name; empty for a missing section.
    QHash<QString, QString> section(const QString& name) const;

private:
    QHash<QString, QHash<QString, QString>> sections_;  // case-folded names
};

}  // namespace sonorelle
