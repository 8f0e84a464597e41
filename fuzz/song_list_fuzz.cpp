// Reads arbitrary bytes as songlist.bin. What the writer stores must read back as the
// stream names it promised and as the beginnings of the texts it was given, and
// storing the list it reads back must change nothing more.
#include "songdata/SlotList.h"
#include "songdata/SongListFile.h"
#include "songdata/TextFields.h"

#include <cstddef>
#include <cstdint>

namespace {

bool isStoredFormOf(const QString& stored, const QString& given)
{
    return stored.size() <= sonorelle::SongListRecord::TextChars &&
           stored.toUtf8().size() <= sonorelle::SongListRecord::TextBytes &&
           sonorelle::TrimBlanks(given).startsWith(sonorelle::TrimBlanks(stored));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<sonorelle::SongListRecord> records = sonorelle::SongListFile::decode(bytes);
    if (records.size() != bytes.size() / sonorelle::SongListRecord::Size)
        __builtin_trap();

    sonorelle::SlotList slotList;
    slotList.assignSongs(records);
    if (slotList.lastIndex() != records.size() || slotList.entries().last() != sonorelle::SongListRecord{})
        __builtin_trap();

    const QByteArray written = sonorelle::SongListFile::encode(records);
    const QList<sonorelle::SongListRecord> reread = sonorelle::SongListFile::decode(written);
    if (written.size() != records.size() * sonorelle::SongListRecord::Size || reread.size() != records.size())
        __builtin_trap();
    for (qsizetype i = 0; i < records.size(); ++i) {
        const sonorelle::SongListRecord& given = records[i];
        const sonorelle::SongListRecord& stored = reread[i];
        if (stored.streamName != given.storedStreamName() || stored.stamp != sonorelle::SongListRecord::WrittenStamp ||
            stored.reservedA != 0 || stored.reservedB != 0 || !isStoredFormOf(stored.artist, given.artist) ||
            !isStoredFormOf(stored.title, given.title) || !isStoredFormOf(stored.album, given.album))
            __builtin_trap();
    }
    // A cut on a character boundary may leave a blank at the end that the next write strips.
    const QByteArray rewritten = sonorelle::SongListFile::encode(reread);
    if (sonorelle::SongListFile::encode(sonorelle::SongListFile::decode(rewritten)) != rewritten)
        __builtin_trap();
    return 0;
}
