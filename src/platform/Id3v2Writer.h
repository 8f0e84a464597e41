#pragma once

#include <QString>

namespace sonorelle {

// Writes an ID3v2.4 tag in UTF-8 at the front of an MP3 file, so texts the 128-byte
// record cannot hold (Cyrillic, long titles) survive. A record at the end of the file
// is left as it is.
class Id3v2Writer {
public:
    struct Texts {
        QString title;
        QString artist;
        QString album;
        QString year;
        QString comment;
    };

    // False with *error set when the file cannot be opened as MP3 or saved.
    static bool write(const QString& path, const Texts& texts, QString* error);
};

}  // namespace sonorelle
