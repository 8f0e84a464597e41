#pragma once

#include "songdata/TagRecord.h"

#include <QByteArray>
#include <QString>

namespace sonorelle {

class CodePage;

// Reading and writing the tag record at the end of a file.
class TagRecordFile {
public:
    enum class ReadResult {
        Missing,   // no such file, or it cannot be opened
        TooShort,  // 127 bytes or fewer: cannot carry a record
        Untagged,  // the last 128 bytes do not begin with "TAG" exactly
        Tagged,    // StrTg now holds the record
    };

    // Readers accept only the upper-case marker. The texts are decoded from codePage.
    static ReadResult read(const QString& path, TagRecord& StrTg, const CodePage& codePage);

    enum class Placement {
        // Over the last 128 bytes when they begin with "tag" in any case, else appended.
        ReplaceAnyCaseTag,
        // Always appended: for files known to carry no record.
        Append,
    };

    // Writes a record's bytes (TagRecord::toBytes) into an existing file (never creates
    // one) and leaves the bytes before it untouched. False with *error set when it could not.
    static bool write(const QString& path, const QByteArray& record, Placement placement, QString* error);
};

}  // namespace sonorelle
