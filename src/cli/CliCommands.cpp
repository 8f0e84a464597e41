#include "cli/CliCommands.h"

#include "cli/TabSeparated.h"
#include "songdata/SongDataContext.h"
#include "songdata/SongListDocument.h"
#include "songdata/TagRecordFile.h"
#include "songdata/TextFields.h"

#include <utility>

namespace sonorelle {

namespace {

// A text of the tag record as a reader of ID3v1 sees it: up to the first zero byte,
// without the blanks that pad it.
QString recordText(const QString& text)
{
    return TrimTrailingBlanks(text.left(text.indexOf(QChar(0))));
}

void printField(const CommandCall& call, const QString& name, const QString& value)
{
    call.out << name << '\t' << EscapeField(value) << '\n';
}

int list(const CommandCall& call)
{
    const QStringList& lines = call.document.lines();
    for (qsizetype i = 0; i < lines.size(); ++i)
        printField(call, QString::number(i), lines.at(i));
    return CliExit::Success;
}

int show(const CommandCall& call)
{
    const SongListRecord& entry = call.document.slotList().at(call.slot);
    TagRecord record;
    const TagRecordFile::ReadResult found = TagRecordFile::read(call.document.streamFileOf(call.slot), record);
    if (found == TagRecordFile::ReadResult::TooShort)
        call.songData.reportTooShort(call.document.lines().at(call.slot));
    const bool tagged = found == TagRecordFile::ReadResult::Tagged;
    const auto tag = [tagged](const QString& text) { return tagged ? recordText(text) : QString(); };
    const std::pair<QString, QString> fields[] = {
        {QStringLiteral("stream"), entry.streamName},
        {QStringLiteral("artist"), entry.artist},
        {QStringLiteral("title"), entry.title},
        {QStringLiteral("album"), entry.album},
        {QStringLiteral("tag.title"), tag(record.StrTitle)},
        {QStringLiteral("tag.artist"), tag(record.StrArtist)},
        {QStringLiteral("tag.album"), tag(record.StrAlbum)},
        {QStringLiteral("tag.year"), tag(record.StrYear)},
        {QStringLiteral("tag.comment"), tag(record.StrComment)},
        {QStringLiteral("tag.genre"), tagged ? QString(QChar::fromLatin1(record.StrGenre)) : QString()},
    };
    for (const auto& [name, value] : fields)
        printField(call, name, value);
    return found == TagRecordFile::ReadResult::TooShort ? CliExit::Failure : CliExit::Success;
}

int saveTags(const CommandCall& call)
{
    const QStringList& words = call.arguments;
    const SlotTagFields fields{words.at(1), words.at(2), words.at(3), words.at(4), words.at(5)};
    return call.document.SaveSlotTags(call.slot, fields) ? CliExit::Success : CliExit::Failure;
}

// The list edits print the selection they leave and fail when the list could not
// be saved (the message is out already).
int printSelection(const CommandCall& call, int selection)
{
    call.out << selection << '\n';
    return call.document.lastSaveSucceeded() ? CliExit::Success : CliExit::Failure;
}

int moveUp(const CommandCall& call)
{
    return printSelection(call, call.document.MoveUp(call.slot));
}

int moveDown(const CommandCall& call)
{
    return printSelection(call, call.document.MoveDown(call.slot));
}

int shuffle(const CommandCall& call)
{
    return printSelection(call, call.document.Shuffle(call.slot));
}

int deleteSong(const CommandCall& call)
{
    return printSelection(call, call.document.Delete(call.slot));
}

}  // namespace

const QList<CliCommand>& CliCommands()
{
    static const QList<CliCommand> commands = {
        {QStringLiteral("list"), {}, QStringLiteral("every song: its index, a tab, its line in the song list"), list},
        {QStringLiteral("show"), QStringLiteral("N"),
         QStringLiteral("song N's list entry and stream tag record, as field<TAB>value lines"), show},
        {QStringLiteral("tags"), QStringLiteral("N TITLE ARTIST ALBUM YEAR COMMENT"),
         QStringLiteral("saves song N's tags (texts cut to 20 characters, the year to 4)"), saveTags},
        {QStringLiteral("up"), QStringLiteral("N"), QStringLiteral("moves song N up; prints the selection"), moveUp},
        {QStringLiteral("down"), QStringLiteral("N"), QStringLiteral("moves song N down; prints the selection"),
         moveDown},
        {QStringLiteral("shuffle"), {}, QStringLiteral("shuffles the songs; prints the selection"), shuffle},
        {QStringLiteral("delete"), QStringLiteral("N"),
         QStringLiteral("removes song N, its stream goes to the trash; prints the selection"), deleteSong},
    };
    return commands;
}

}  // namespace sonorelle
