#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace sonorelle {

// Which files the file list shows: wildcard patterns separated by ';', matched
// without regard to case.
class FileListFilter {
public:
    // The audio files the program can add or preview; game streams of the old
    // ".str" kind are left out on purpose.
    static const QString AudioPattern;

    explicit FileListFilter(const QString& pattern = AudioPattern);

    const QStringList& nameFilters() const { return nameFilters_; }
    bool matches(const QString& fileName) const;
    // The matching files of folder (no folders), sorted by name without regard to case.
    QStringList filesIn(const QString& folder) const;

private:
    QStringList nameFilters_;
    QList<QRegularExpression> wildcards_;
};

}  // namespace sonorelle
