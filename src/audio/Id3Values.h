#pragma once

#include <QString>

namespace sonorelle {

// The texts the ID3v2 reader leaves for its callers (the add operation, the
// playlist window, the file tag fields). A read overwrites only the values whose frame
// it takes, so a caller that does not clear them may see those of an earlier file.
struct Id3Values {
    QString Id3Title;
    QString Id3Artist;
    QString Id3Album;
    QString Id3Year;
    QString Id3Comment;

    void clear() { *this = Id3Values{}; }
};

}  // namespace sonorelle
