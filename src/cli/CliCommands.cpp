#include "cli/CliCommands.h"

#include "adding/clsM3UReader.h"
#include "app/Session.h"
#include "app/SharedValues.h"
#include "adding/AddRun.h"
#include "app/Feedback.h"
#include "app/GameInstallationChoice.h"
#include "audio/FileTagEditor.h"
#include "cli/TabSeparated.h"
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
    return call.session.saveSlotTags(call.slot, fields).value_or(false) ? CliExit::Success : CliExit::Failure;
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
    clsM3UReader reader(call.session.registry().winePrefix());
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
    AddRun run(call.session.document(), call.session.shared(), call.session.lookup(), call.arguments);
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
         QStringLiteral("adds the files as songs, in order; prints index<TAB>stream<TAB>line of each"), add},
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
