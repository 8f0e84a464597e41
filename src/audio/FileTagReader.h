#pragma once

#include "audio/FileTagFields.h"
#include "audio/Id3Values.h"

#include <QString>

namespace sonorelle {

class CodePage;
class TagRecord;
struct SongDataContext;

// Fills the fields from an MP3 file: from its ID3v1 record, or, when that is missing or
// all blank, from its ID3v2 tag. A file of 130 bytes or fewer leaves them as they are.
// The ID3v1 texts are read in codePage.
void GetMp3Info(const QString& path, FileTagFields& fields, Id3Values& id3, const CodePage& codePage);

// Reads the ID3v2 tag at the start of a file into id3. False when there is no tag we
// can read (none, a size past the end of the file, an unknown version); the values then
// keep what they hold.
bool ReadID3v2Tag(const QString& path, Id3Values& id3);

// The ID3v2 values into the fields.
void ShowID3v2Values(const Id3Values& id3, FileTagFields& fields);

// Fills the fields from the trailing record of a game stream file (.str, .asf), read
// through StrTg. A file too short for a record is reported with its listed name.
void GetStrInfo_To_mp3(const QString& path, const QString& listedName, FileTagFields& fields, TagRecord& StrTg,
                       const SongDataContext& context);

void ClearFileTagBoxes(FileTagFields& fields);

// Empties the fields and the ID3v2 values, so that no value of an earlier file lingers.
void ClearVar(FileTagFields& fields, Id3Values& id3);

}  // namespace sonorelle
