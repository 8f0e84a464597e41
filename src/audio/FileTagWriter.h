#pragma once

#include "audio/FileTagFields.h"

#include <QString>

namespace sonorelle {

struct SongDataContext;

// Both write the fields as the trailing record (texts cut or padded with blanks to
// their widths, genre byte 0): over the last 128 bytes when they begin with "tag" in
// any case, else appended, so the audio before it is never touched. A failure (file
// gone, no permission, disk full) is reported; false then. A text the tag code page
// cannot hold is reported before the file is touched.

// For an MP3 file, whose read-only mark is cleared first.
bool WriteMp3Tag(const QString& path, const FileTagFields& fields, const SongDataContext& context);

// For a game stream file (.str); its permissions are left as they are.
bool WriteStrFileTag(const QString& path, const FileTagFields& fields, const SongDataContext& context);

}  // namespace sonorelle
