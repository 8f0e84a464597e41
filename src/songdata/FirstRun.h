#pragma once

#include <QString>

namespace sonorelle {

class AudioFolder;
class CodePage;
class Registry;
class TagRecord;

// The settings key and value that say the shipped songs have been tagged.
QString SettingsKey();
QString FirstRunValueName();

// Tags each shipped stream that still has its shipped length with the title and
// artist that the game's own song list gives it (upper case, cut to 30), then
// records "FirstRun" = "1" whatever happened, so the pass never repeats. A file of
// another length, a missing file and a file no list record names stay untouched.
// The records are written in codePage; a song whose names it cannot hold stays
// untagged. Returns how many files were tagged.
int FirstRun(const AudioFolder& folder, TagRecord& StrTg, Registry& registry, const CodePage& codePage);

}  // namespace sonorelle
