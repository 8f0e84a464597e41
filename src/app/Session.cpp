#include "app/Session.h"

#include "app/Feedback.h"
#include "app/LockGame.h"
#include "app/Operation.h"
#include "app/SettingsKeys.h"
#include "app/StartupHost.h"
#include "platform/VolumeReadiness.h"
#include "platform/WinePaths.h"
#include "songdata/AudioFolder.h"
#include "songdata/FirstRun.h"
#include "songdata/TextLookup.h"

#include <QFileInfo>

#include <utility>

namespace sonorelle {

Session::Session(Registry registry, Feedback& feedback, StartupHost& host, const QString& executableDir,
                 const QString& commandLine)
    : feedback_(feedback)
    , host_(host)
    , registry_(std::move(registry))
    , setup_(StartupContext{shared_, registry_, feedback_, host_, *this, texts_, units_})
    , sequence_(StartupContext{shared_, registry_, feedback_, host_, *this, texts_, units_}, setup_, executableDir,
                commandLine)
    , executableDir_(executableDir)
    , document_(shared_, feedback_, lookup(), StrTg_)
    , fileTags_(id3_, StrTg_, songData())
    , preview_(feedback_)
    , cd_(feedback_, preview_)
{
}

StartupOutcome Session::FormLoad()
{
    return sequence_.FormLoad();
}

void Session::startWithoutGame()
{
    QString folder = registry_.ReadRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::InstallDir);
    shared_.ProgramDir = folder.isEmpty() ? executableDir_ : folder;
    sequence_.chooseTagCodePage();
    const QString stored = registry_.ReadRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::Language);
    QString file = QFileInfo::exists(stored) ? stored : QString();
    if (file.isEmpty()) {
        const QString english = JoinPath(JoinPath(shared_.ProgramDir, QStringLiteral("languages")),
                                          QStringLiteral("English.lng"));
        file = QFileInfo::exists(english) ? english : QString();
    }
    texts_.load(file);
}

SongDataContext Session::songData()
{
    return SongDataContext{shared_, feedback_, lookup()};
}

clsM3UReader Session::playlistReader() const
{
    const CodePage codePage = shared_.TagCodePage;
    return clsM3UReader(registry_.winePrefix(), [codePage](QByteArrayView bytes) { return codePage.decode(bytes); });
}

TextLookup Session::lookup() const
{
    return [this](const QString& key) { return texts_.text(key); };
}

std::optional<Session::WritePass> Session::enterGate(Touches touches)
{
    auto pass = gate_.enter(feedback_, TextOr(lookup(), QStringLiteral("msgBusy"),
                                              QStringLiteral("Another operation is still running. Wait until it has "
                                                             "finished, then try again.")));
    if (!pass)
        return std::nullopt;
    // Work on a person's own files needs no game lock.
    if (touches == Touches::OwnFilesOnly || shared_.GameDir.isEmpty())
        return WritePass{std::move(*pass), std::nullopt};
    GameLock lock = LockGame(shared_.GameDir, feedback_, lookup());
    if (!lock.isHeld())
        return std::nullopt;
    return WritePass{std::move(*pass), std::move(lock)};
}

std::optional<Session::SongPass> Session::enterForSong(int selected)
{
    auto pass = enterGate();
    if (!pass)
        return std::nullopt;
    if (!document_.changedOnDisk())
        return SongPass{std::move(*pass), selected};
    const int now = document_.reloadFollowing(selected);
    if (selected >= 0 && now < 0) {
        feedback_.message(TextOr(lookup(), QStringLiteral("msgListChanged"),
                                 QStringLiteral("Another Sonorelle window or sonorelle-cli has changed the game's "
                                                "songs, and the selected song is no longer in the list. The list "
                                                "has been read again; nothing was changed.")),
                          QStringLiteral("Sonorelle"), MessageIcon::Warning);
        return std::nullopt;
    }
    return SongPass{std::move(*pass), now};
}

std::optional<int> Session::editSongList(int (SongListDocument::*edit)(int), int selected)
{
    const auto entered = enterForSong(selected);
    if (!entered)
        return std::nullopt;
    return (document_.*edit)(entered->song);
}

std::optional<bool> Session::saveSlotTags(int& selected, const SlotTagFields& fields)
{
    const auto entered = enterForSong(selected);
    if (!entered)
        return std::nullopt;
    selected = entered->song;
    return document_.SaveSlotTags(selected, fields);
}

std::optional<FileTagEditor::SaveResult> Session::saveFileTags(const QString& path, const FileTagFields& fields)
{
    const auto pass = enterGate(Touches::OwnFilesOnly);
    if (!pass)
        return std::nullopt;
    return fileTags_.saveFileTags(path, fields);
}

OperationResult Session::run(Operation& operation)
{
    const auto entered = enterForSong(operation.songSlot());
    if (!entered)
        return OperationResult{OperationResult::Outcome::Refused, {}, {}};
    operation.setSongSlot(entered->song);
    return operation.run(feedback_);
}

void Session::ApplyLanguage(const LanguageTexts& texts)
{
    host_.ApplyLanguage(texts);
}

bool Session::CheckDrive(const QString& path)
{
    return IsVolumeReady(path);
}

void Session::ExpRightClickMenu()
{
    host_.ExpRightClickMenu();
}

void Session::FirstRun()
{
    sonorelle::FirstRun(AudioFolder(shared_.GameAudioDir), StrTg_, registry_, shared_.TagCodePage);
}

void Session::NameExpert()
{
    document_.NameExpert();
    host_.songListLoaded();
}

void Session::GoCMD()
{
    host_.GoCMD();
}

}  // namespace sonorelle
