#include "songdata/SongListLoader.h"

#include "app/SharedValues.h"
#include "songdata/SlotList.h"
#include "songdata/SongListFile.h"
#include "songdata/TagRecordFile.h"
#include "songdata/TextFields.h"

namespace sonorelle {

namespace {

QString lineOf(const QString& artist, const QString& title)
{
    return artist + QStringLiteral(" - ") + title;
}

QString shown(const QString& tagText)
{
    return TrimBlanks(LeftChars(tagText, SongListLoader::ShownChars));
}

QString lineFor(SongListRecord& entry, TagRecord& StrTg, const AudioFolder& folder, const SongDataContext& context)
{
    const CodePage& codePage = context.shared.TagCodePage;
    switch (TagRecordFile::read(folder.streamPath(entry.streamName), StrTg, codePage)) {
    case TagRecordFile::ReadResult::Tagged:
        // The record holds what its code page can; a list entry with more (a Cyrillic
        // title under a Western locale) shows whole.
        if (codePage.encode(entry.artist + entry.title))
            return lineOf(shown(StrTg.StrArtist), shown(StrTg.StrTitle));
        break;
    case TagRecordFile::ReadResult::TooShort:
        context.reportTooShort(entry.streamName);
        return entry.streamName;
    case TagRecordFile::ReadResult::Untagged:
    case TagRecordFile::ReadResult::Missing:
        break;
    }
    // A stream that vanished since the records were kept still gets its line, so
    // lines and slotList stay aligned.
    entry.artist = TrimBlanks(entry.artist);
    entry.title = TrimBlanks(entry.title);
    return lineOf(entry.artist, entry.title);
}

}  // namespace

QStringList SongListLoader::NameExpert(SlotList& slotList, TagRecord& StrTg, const SongDataContext& context)
{
    const AudioFolder folder = context.audioFolder();
    QList<SongListRecord> kept;
    for (SongListRecord& record : SongListFile::read(folder.songListPath())) {
        if (folder.hasStream(record.streamName))
            kept.append(std::move(record));
    }
    slotList.assignSongs(std::move(kept));

    QStringList lines;
    lines.reserve(slotList.lastIndex());
    for (qsizetype i = 0; i < slotList.lastIndex(); ++i)
        lines.append(lineFor(slotList[i], StrTg, folder, context));
    return lines;
}

}  // namespace sonorelle
