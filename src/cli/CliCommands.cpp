#include "cli/CliCommands.h"

#include "adding/clsM3UReader.h"
#include "app/Session.h"
#include "app/SharedValues.h"
#include "adding/AddRun.h"
#include "audio/ExportOperation.h"
#include "adding/DiscTrackSource.h"
#include "app/Feedback.h"
#include "app/GameInstallationChoice.h"
#include "audio/FileTagEditor.h"
#include "audio/RipTrack.h"
#include "cli/TabSeparated.h"
#include "platform/CdDisc.h"
#include "platform/CdTrackListing.h"
#include "songdata/SongDataContext.h"
#include "songdata/SongListDocument.h"
#include "songdata/TagRecordFile.h"
#include "songdata/TextFields.h"

#include <QFileInfo>
#include <QProcessEnvironment>

#include <optional>
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
    const QStringList& lines = call.session.document().lines();
    for (qsizetype i = 0; i < lines.size(); ++i)
        printField(call, QString::number(i), lines.at(i));
    return CliExit::Success;
}

int show(const CommandCall& call)
{
    const SongListRecord& entry = call.session.document().slotList().at(call.slot);
    TagRecord record;
    const TagRecordFile::ReadResult found =
        TagRecordFile::read(call.session.document().streamFileOf(call.slot), record, call.session.shared().TagCodePage);
    if (found == TagRecordFile::ReadResult::TooShort)
        call.session.songData().reportTooShort(call.session.document().lines().at(call.slot));
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
    int slot = call.slot;
    return call.session.saveSlotTags(slot, fields).value_or(false) ? CliExit::Success : CliExit::Failure;
}

// The list edits print the selection they leave and fail when the list could not
// be saved or the game was busy (the message is out already).
int listEdit(const CommandCall& call, int (SongListDocument::*edit)(int))
{
    const std::optional<int> selection = call.session.editSongList(edit, call.slot);
    if (!selection)
        return CliExit::Failure;
    call.out << *selection << '\n';
    return call.session.document().lastSaveSucceeded() ? CliExit::Success : CliExit::Failure;
}

int moveUp(const CommandCall& call)
{
    return listEdit(call, &SongListDocument::MoveUp);
}

int moveDown(const CommandCall& call)
{
    return listEdit(call, &SongListDocument::MoveDown);
}

int shuffle(const CommandCall& call)
{
    return listEdit(call, &SongListDocument::Shuffle);
}

int deleteSong(const CommandCall& call)
{
    return listEdit(call, &SongListDocument::Delete);
}

int exportSong(const CommandCall& call)
{
    Session& session = call.session;
    // The fields the window would show with the song selected.
    const SlotTagFields fields = session.document().SlotClicked(call.slot);
    ExportOperation exporting(session.shared(), session.lookup(), session.document(), call.slot, fields,
                              call.arguments.at(1));
    const OperationResult result = session.run(exporting);
    if (!result.succeeded())
        return CliExit::Failure;
    call.out << exporting.destination() << '\n';
    return CliExit::Success;
}

QString fileTagFieldName(FileTagField field)
{
    switch (field) {
    case FileTagField::Title:
        return QStringLiteral("title");
    case FileTagField::Artist:
        return QStringLiteral("artist");
    case FileTagField::Album:
        return QStringLiteral("album");
    case FileTagField::Year:
        return QStringLiteral("year");
    case FileTagField::Comment:
        return QStringLiteral("comment");
    }
    return {};
}

// The browser only ever offers files it has listed; a path from the command line
// may name nothing, or something that cannot be read.
bool isReadableFile(const CommandCall& call, const QString& path)
{
    const QFileInfo info(path);
    if (info.isFile() && info.isReadable())
        return true;
    const TextLookup texts = call.session.lookup();
    const QString problem =
        info.exists()
            ? TextOr(texts, QStringLiteral("msgFileUnreadable"), QStringLiteral("This is not a file that can be read:"))
            : TextOr(texts, QStringLiteral("msgFileMissing"), QStringLiteral("This file does not exist:"));
    call.session.songData().reportError(problem + u'\n' + path);
    return false;
}

int fileTags(const CommandCall& call)
{
    const QString& path = call.arguments.at(0);
    if (!isReadableFile(call, path))
        return CliExit::Failure;
    const FileTagFields fields = call.session.fileTags().readFileTags(path);
    for (const FileTagField field : FileTagFields::All)
        printField(call, fileTagFieldName(field), fields.value(field));
    // The reader has said that a stream too short for a record is damaged.
    const QString extension = FileTagEditor::extensionOf(path);
    const bool damagedStream =
        (extension == u"str" || extension == u"asf") && QFileInfo(path).size() < TagRecord::Size;
    return damagedStream ? CliExit::Failure : CliExit::Success;
}

int setFileTags(const CommandCall& call)
{
    const QString& path = call.arguments.at(0);
    // The texts follow FILE in the fields' order, as the usage text lists them.
    FileTagFields fields;
    qsizetype word = 1;
    for (const FileTagField field : FileTagFields::All)
        fields.putTyped(field, call.arguments.at(word++));
    switch (call.session.saveFileTags(path, fields).value_or(FileTagEditor::SaveResult::Failed)) {
    case FileTagEditor::SaveResult::Saved:
        return CliExit::Success;
    case FileTagEditor::SaveResult::NotTaggable:
    case FileTagEditor::SaveResult::NotPermitted:
    case FileTagEditor::SaveResult::Failed:
        break;  // the editor has told why
    }
    return CliExit::Failure;
}

int playlist(const CommandCall& call)
{
    const QString& path = call.arguments.at(0);
    if (!isReadableFile(call, path))
        return CliExit::Failure;
    clsM3UReader reader = call.session.playlistReader();
    reader.setFilename(path);
    const int count = reader.Refresh();
    for (int i = 0; i < count; ++i) {
        const QString file = reader.File(i);
        call.out << i << '\t' << reader.FileSeconds(i) << '\t' << EscapeField(reader.FileTitle(i)) << '\t'
                 << EscapeField(file) << '\t' << (QFileInfo(file).isFile() ? "yes" : "no") << '\n';
    }
    if (reader.ReadError().isEmpty())
        return CliExit::Success;
    call.session.songData().reportError(QStringLiteral("%1: %2").arg(path, reader.ReadError()));
    return CliExit::Failure;
}

// `add --playlist FILE`: every entry whose file exists, in the playlist's order.
QStringList PlaylistSources(const CommandCall& call, const QString& playlist)
{
    clsM3UReader reader = call.session.playlistReader();
    reader.setFilename(playlist);
    QStringList sources;
    for (int i = 0; i < reader.Refresh(); ++i) {
        if (QFileInfo(reader.File(i)).isFile())
            sources.append(reader.File(i));
    }
    if (!reader.ReadError().isEmpty())
        call.session.songData().reportError(QStringLiteral("%1: %2").arg(playlist, reader.ReadError()));
    return sources;
}

// A track number as given on the command line ("2" or "02"); 0 when it is none.
int trackNumber(const QString& word)
{
    bool isNumber = false;
    const int number = word.toInt(&isNumber);
    return isNumber && number > 0 && number < 100 ? number : 0;
}

// The chosen CD unit's disc; nullptr when it cannot be opened (stderr says why).
CdDisc* openDisc(const CommandCall& call, DiscTrackSource& source)
{
    QString error;
    CdDisc* disc = source.disc(&error);
    if (!disc)
        call.session.songData().reportError(error);
    return disc;
}

int tracks(const CommandCall& call)
{
    DiscTrackSource source(call.session.units().selected());
    const CdDisc* disc = openDisc(call, source);
    if (!disc)
        return CliExit::Failure;
    for (const CdaEntry& entry : ListCdaEntries(*disc))
        call.out << entry.track << '\t' << entry.firstFrame << '\t' << entry.frameCount << '\t' << entry.length
                 << '\t' << EscapeField(entry.title) << '\t' << EscapeField(entry.performer) << '\n';
    return CliExit::Success;
}

int rip(const CommandCall& call)
{
    const int number = trackNumber(call.arguments.at(0));
    if (number == 0) {
        call.session.songData().reportError(QStringLiteral("%1 is not a track number").arg(call.arguments.at(0)));
        return CliExit::Failure;
    }
    DiscTrackSource source(call.session.units().selected());
    CdDisc* disc = openDisc(call, source);
    if (!disc)
        return CliExit::Failure;
    RipTrack ripTrack = RipTrack::ofTrack(*disc, number, call.arguments.at(1));
    const OperationResult result = call.session.run(ripTrack);
    if (result.succeeded())
        return CliExit::Success;
    if (!result.summary.isEmpty())  // a refusal has been told already
        call.session.songData().reportError(result.summary);
    return CliExit::Failure;
}

int games(const CommandCall& call)
{
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const GameInstallationChoice choice = ChooseGameInstallation(call.session.registry(), environment);
    // The store's "Install Dir" decides without looking; the list still shows every one.
    const GameInstallations::Result found =
        choice.source == GameInstallationChoice::Source::StoreInstallDir ? FindGameInstallations(environment)
                                                                         : choice.found;
    for (const GameInstallations::Skipped& skipped : found.skipped)
        call.session.feedback().setStatus(QStringLiteral("%1 prefix %2 skipped: %3")
                                              .arg(PrefixManagerName(skipped.manager), skipped.prefixPath,
                                                   skipped.reason));
    for (const GameInstallation& game : found.installations) {
        const bool inUse = choice.chosen && IsSameGameInstallation(game, *choice.chosen);
        call.out << PrefixManagerName(game.manager) << '\t' << EscapeField(game.prefixName) << '\t'
                 << EscapeField(game.prefixPath) << '\t' << EscapeField(game.gameFolder) << '\t'
                 << (inUse ? "yes" : "no") << '\n';
    }
    return CliExit::Success;
}

int add(const CommandCall& call)
{
    // "--playlist FILE": the existing files of a playlist; "--cd T...": tracks of the
    // chosen CD unit, named as the file browser lists them.
    const QString option = call.arguments.value(0);
    const bool fromPlaylist = option == u"--playlist";
    const bool fromDisc = option == u"--cd";
    if (fromPlaylist && call.arguments.size() != 2) {
        call.session.songData().reportError(QStringLiteral("add --playlist takes one playlist file."));
        return CliExit::Failure;
    }
    if (fromPlaylist && !isReadableFile(call, call.arguments.at(1)))
        return CliExit::Failure;
    QStringList sources =
        fromPlaylist ? PlaylistSources(call, call.arguments.at(1)) : call.arguments.mid(fromDisc ? 1 : 0);
    if (fromDisc) {
        for (QString& word : sources) {
            const int number = trackNumber(word);
            if (number == 0) {
                call.session.songData().reportError(QStringLiteral("%1 is not a track number").arg(word));
                return CliExit::Failure;
            }
            word = QStringLiteral("Track%1.cda").arg(number, 2, 10, QChar(u'0'));
        }
    }
    DiscTrackSource disc(call.session.units().selected());
    AddRun run(call.session.document(), call.session.shared(), call.session.lookup(), sources, &disc);
    call.session.run(run);
    for (const AddedSong& song : run.report().added)
        call.out << song.index << '\t' << EscapeField(song.streamName) << '\t' << EscapeField(song.line) << '\n';
    call.out.flush();
    for (const AddProblem& problem : run.report().problems)
        call.session.songData().reportError(problem.text());
    return run.report().problems.isEmpty() && run.report().ranToEnd ? CliExit::Success : CliExit::Failure;
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
        {QStringLiteral("add"), QStringLiteral("FILE..."),
         QStringLiteral("adds the files (with --playlist P: the existing files of playlist P; with --cd T...: "
                        "tracks of the CD unit) as songs, in order; prints index<TAB>stream<TAB>line of each"),
         add},
        {QStringLiteral("export"), QStringLiteral("N FILE"),
         QStringLiteral("exports song N to the MP3 file FILE (\".mp3\" appended when missing); prints its path"),
         exportSong},
        {QStringLiteral("tracks"), {},
         QStringLiteral("the CD unit's audio tracks: number, first frame, frames, m:ss, CD-Text title and "
                        "performer"),
         tracks},
        {QStringLiteral("rip"), QStringLiteral("T FILE"),
         QStringLiteral("rips track T of the CD unit into the WAV file FILE"), rip},
        {QStringLiteral("filetags"), QStringLiteral("FILE"),
         QStringLiteral("the tags of an audio file (.mp3, .str, .asf), as field<TAB>value lines"), fileTags,
         false},
        {QStringLiteral("setfiletags"), QStringLiteral("FILE TITLE ARTIST ALBUM YEAR COMMENT"),
         QStringLiteral("saves the tags of an .mp3 or .str file (texts cut to 30 characters, the year to 4)"),
         setFileTags, false},
        {QStringLiteral("playlist"), QStringLiteral("FILE"),
         QStringLiteral("a playlist's entries: index, seconds, title, full path, yes/no whether the file exists"),
         playlist, false},
        {QStringLiteral("games"), {},
         QStringLiteral("every installation of the game found: manager, prefix name, prefix path, game folder, "
                        "yes/no whether it is the one in use"),
         games, false},
    };
    return commands;
}

}  // namespace sonorelle
