#include "songdata/SongListDocument.h"

#include "app/SharedValues.h"
#include "songdata/SongListLoader.h"
#include "songdata/SongListWriter.h"
#include "songdata/TagRecordFile.h"
#include "songdata/TextFields.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace sonorelle {

SongListDocument::SongListDocument(const SharedValues& shared, Feedback& feedback, TextLookup texts,
                                   TagRecord& StrTg)
    : context_{shared, feedback, std::move(texts)}
    , StrTg_(StrTg)
    , random_(std::random_device{}())
{
}

namespace {

QByteArray ListBytes(const SongDataContext& context)
{
    QFile file(context.audioFolder().songListPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

const QStringList& SongListDocument::NameExpert()
{
    known_ = ListBytes(context_);
    lines_ = SongListLoader::NameExpert(slots_, StrTg_, context_);
    return lines_;
}

bool SongListDocument::changedOnDisk() const
{
    return ListBytes(context_) != known_;
}

int SongListDocument::reloadFollowing(int selected)
{
    const std::optional<SongListRecord> song =
        isSelected(selected) ? std::optional(slots_.at(selected)) : std::nullopt;
    NameExpert();
    for (qsizetype i = 0; song && i < lines_.size(); ++i) {
        const SongListRecord& entry = slots_.at(i);
        if (entry.streamName == song->streamName && entry.title == song->title && entry.artist == song->artist)
            return static_cast<int>(i);
    }
    return -1;
}

bool SongListDocument::SaveList()
{
    lastSaveSucceeded_ = SongListWriter::SaveList(slots_, context_);
    if (lastSaveSucceeded_)
        known_ = ListBytes(context_);
    return lastSaveSucceeded_;
}

QString SongListDocument::streamFileOf(int slot) const
{
    return context_.audioFolder().streamPath(slots_.at(slot).streamName);
}

SlotTagFields SongListDocument::SlotClicked(int selected)
{
    SlotTagFields fields = ClearSlotTagBoxes();
    if (isSelected(selected)) {
        const SongListRecord& entry = slots_.at(selected);
        fields = GetStrInfo(streamFileOf(selected), lines_.at(selected),
                            SlotTagFields{entry.title, entry.artist, entry.album, {}, {}});
    }
    return fields;
}

SlotTagFields SongListDocument::GetStrInfo(const QString& Filename, const QString& shownLine,
                                           const SlotTagFields& withoutRecord)
{
    switch (TagRecordFile::read(Filename, StrTg_, context_.shared.TagCodePage)) {
    case TagRecordFile::ReadResult::Tagged: {
        SlotTagFields fields{TrimTrailingBlanks(StrTg_.StrTitle), TrimTrailingBlanks(StrTg_.StrArtist),
                             TrimTrailingBlanks(StrTg_.StrAlbum), TrimTrailingBlanks(StrTg_.StrYear),
                             TrimTrailingBlanks(StrTg_.StrComment)};
        // The record holds what its code page can; names it could not hold show as the
        // list keeps them, so a save never blanks them.
        if (!context_.shared.TagCodePage.encode(withoutRecord.title + withoutRecord.artist + withoutRecord.album)) {
            fields.title = withoutRecord.title;
            fields.artist = withoutRecord.artist;
            fields.album = withoutRecord.album;
        }
        return fields.limited();
    }
    case TagRecordFile::ReadResult::TooShort:
        context_.reportTooShort(shownLine);
        break;
    case TagRecordFile::ReadResult::Untagged:
    case TagRecordFile::ReadResult::Missing:
        break;
    }
    return withoutRecord.limited();
}

bool SongListDocument::SaveStrInfo(const QString& Filename, const QString& st_title, const QString& st_artist,
                                   const QString& st_album, const QString& st_year, const QString& st_comment,
                                   bool massiv, int selected)
{
    // Writing would create the file: a stream that is gone gets no stray record.
    if (!QFileInfo(Filename).isFile()) {
        context_.reportError(TextOr(context_.texts, QStringLiteral("msgStreamMissing"),
                                    QStringLiteral("The song's stream file does not exist; its tags were not saved:"))
                             + u'\n' + Filename);
        return false;
    }
    StrTg_ = TagRecord::forSlot(st_title, st_artist, st_album, st_year, st_comment);
    // A text the game could not show as typed is refused before anything is written.
    const std::optional<QByteArray> record = context_.encodeTagRecord(StrTg_);
    if (!record)
        return false;
    QString error;
    const bool written =
        TagRecordFile::write(Filename, *record, TagRecordFile::Placement::ReplaceAnyCaseTag, &error);
    if (!written) {
        context_.reportError(TextOr(context_.texts, QStringLiteral("msgTagNotWritten"),
                                    QStringLiteral("The tags could not be written into the stream file:"))
                             + QStringLiteral("\n%1\n%2").arg(Filename, error));
    }
    if (massiv && isSelected(selected)) {
        SongListRecord& entry = slots_[selected];
        entry.title = StrTg_.StrTitle;
        entry.artist = StrTg_.StrArtist;
        entry.album = StrTg_.StrAlbum;
    }
    const bool saved = SaveList();
    return written && saved;
}

bool SongListDocument::SaveSlotTags(int selected, const SlotTagFields& fields)
{
    if (!isSelected(selected)) {
        context_.reportKey(QStringLiteral("msg4"));
        return false;
    }
    const SlotTagFields shown = fields.limited();
    const bool saved = SaveStrInfo(streamFileOf(selected), shown.title, shown.artist, shown.album, shown.date,
                                   shown.comment, true, selected);
    NameExpert();
    return saved;
}

int SongListDocument::MoveUp(int selected)
{
    qsizetype remembered = 0;
    if (isSelected(selected) && selected >= 1) {
        slots_.swap(selected - 1, selected);
        remembered = selected - 1;
    }
    SaveList();
    NameExpert();
    return selectable(remembered);
}

int SongListDocument::MoveDown(int selected)
{
    qsizetype remembered = 0;
    // The last song swaps with the free entry, which the writer drops: no change.
    if (isSelected(selected) && selected < slots_.lastIndex()) {
        slots_.swap(selected, selected + 1);
        remembered = selected + 1;
    }
    SaveList();
    NameExpert();
    return selectable(remembered < slots_.lastIndex() ? remembered : remembered - 1);
}

int SongListDocument::Shuffle(int selected)
{
    const qsizetype songs = slots_.lastIndex();
    for (qsizetype i = songs - 1; i > 0; --i) {
        std::uniform_int_distribution<qsizetype> pick(0, i);
        slots_.swap(i, pick(random_));
    }
    SaveList();
    NameExpert();
    return selectable(selected < songs ? selected : selected - 1);
}

int SongListDocument::Delete(int selected)
{
    if (!isSelected(selected)) {
        context_.reportKey(QStringLiteral("msg6"));
        return -1;
    }
    const QString stream = streamFileOf(selected);
    const SongListRecord removed = slots_.takeAt(selected);
    // The list goes first: if it cannot be saved the song stays, file and all.
    if (!SaveList()) {
        slots_.insert(selected, removed);
        return selected;
    }
    lines_.removeAt(selected);

    // Two entries naming one file: the other still needs it.
    const AudioFolder folder = context_.audioFolder();
    bool sharedStream = false;
    for (const SongListRecord& entry : slots_.entries())
        sharedStream = sharedStream || folder.streamPath(entry.streamName) == stream;
    QFile file(stream);
    // The trash lives in the data folder, which a fresh account may not have yet.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    if (!sharedStream && file.exists() && !file.moveToTrash()) {
        context_.reportError(TextOr(context_.texts, QStringLiteral("msgNotTrashed"),
                                    QStringLiteral("The song was removed from the list, but its stream file "
                                                   "could not be moved to the trash:"))
                             + QStringLiteral("\n%1\n%2").arg(stream, file.errorString()));
    }
    return selectable(selected < lines_.size() ? selected : selected - 1);
}

int SongListDocument::selectable(qsizetype index) const
{
    return index >= 0 && index < lines_.size() ? static_cast<int>(index) : -1;
}

}  // namespace sonorelle
