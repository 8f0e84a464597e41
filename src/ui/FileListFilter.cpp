#include "ui/FileListFilter.h"

#include <QDir>

#include <algorithm>

namespace sonorelle {

const QString FileListFilter::AudioPattern =
    QStringLiteral("*.mp3;*.wav;*.cda;*.aif;*.mp2;*.aiff;*.asf;*.sng");

FileListFilter::FileListFilter(const QString& pattern)
{
    for (const QString& part : pattern.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = part.trimmed();
        if (trimmed.isEmpty())
            continue;
        nameFilters_.append(trimmed);
        wildcards_.append(QRegularExpression(QRegularExpression::wildcardToRegularExpression(trimmed),
                                             QRegularExpression::CaseInsensitiveOption));
    }
}

bool FileListFilter::matches(const QString& fileName) const
{
    return std::any_of(wildcards_.cbegin(), wildcards_.cend(),
                       [&fileName](const QRegularExpression& wildcard) { return wildcard.match(fileName).hasMatch(); });
}

QStringList FileListFilter::filesIn(const QString& folder) const
{
    if (folder.isEmpty())
        return {};
    // Without QDir::CaseSensitive the name filters ignore case.
    const QDir dir(folder, {}, QDir::Name | QDir::IgnoreCase, QDir::Files | QDir::Readable);
    return dir.entryList(nameFilters_, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

}  // namespace sonorelle
