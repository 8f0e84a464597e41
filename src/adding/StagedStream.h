#pragma once

#include <QString>

namespace sonorelle {

// The name a new song's stream gets: "s" + the smallest number from 1 whose stream
// file does not exist (at least two digits: s01 ... s99, s100). Names are compared
// without regard to case, as the game under Wine finds its files.
QString FreeSlotName(const QString& audioDir);

// A new song's stream on its way into the game's audio folder: first complete under a
// hidden name that neither "songlist.*" nor "s*.sng" matches, then renamed to a free
// slot name in one step. Whatever is not placed is removed again.
class StagedStream {
public:
    explicit StagedStream(QString audioDir);
    ~StagedStream();
    StagedStream(const StagedStream&) = delete;
    StagedStream& operator=(const StagedStream&) = delete;

    // Copies from into a new hidden file of the audio folder.
    bool stage(const QString& from, QString* error);
    const QString& path() const { return path_; }

    // Renames the staged file to the first free slot name and returns that name; a name
    // taken in the meantime is never replaced, the next free one is tried instead.
    // "" with *error set when it could not.
    QString place(QString* error);

private:
    QString audioDir_;
    QString path_;
    bool placed_ = false;
};

}  // namespace sonorelle
