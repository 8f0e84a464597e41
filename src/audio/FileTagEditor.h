#pragma once

#include "audio/FileTagFields.h"
#include "audio/Id3Values.h"
#include "songdata/SongDataContext.h"

#include <QString>

namespace sonorelle {

class TagRecord;

// The file tag panel's work, for the main window (the browser's click, the save button)
// and the command line alike: each is one call.
class FileTagEditor {
public:
    enum class SaveResult {
        Saved,
        NotTaggable,   // not an .mp3 or .str file: reported, nothing written
        NotPermitted,  // this user may not change the file: reported, nothing written
        Failed,        // reported
    };

    // id3 and StrTg are the caller's program-wide values; they and what context refers
    // to must outlive the editor.
    FileTagEditor(Id3Values& id3, TagRecord& StrTg, const SongDataContext& context);

    // Empties the fields and the ID3v2 values, then reads the file's tags as its
    // extension says: MP3 tags, or the trailing record of an .str or .asf stream.
    FileTagFields readFileTags(const QString& path);

    // Saves the fields into an .mp3 or .str file as its trailing record.
    SaveResult saveFileTags(const QString& path, const FileTagFields& fields);

    // The last three characters of the file's name in lower case, by which the browser
    // tells file kinds apart.
    static QString extensionOf(const QString& path);

private:
    Id3Values& id3_;
    TagRecord& StrTg_;
    SongDataContext context_;
};

}  // namespace sonorelle
