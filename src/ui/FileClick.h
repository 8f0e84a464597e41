#pragma once

#include <QString>

namespace sonorelle {

// What a click on a file of the file list means: its full path, and by the last
// three characters of its name whether it can be previewed and where its tags are.
struct FileClick {
    enum class TagSource { None, Mp3, Stream };

    QString fullPath;
    QString extension;          // last three characters, lower case
    bool enablesPreview = false;
    TagSource tagSource = TagSource::None;

    static FileClick of(const QString& folder, const QString& fileName);
};

}  // namespace sonorelle
