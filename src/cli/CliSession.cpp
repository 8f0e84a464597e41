#include "cli/CliSession.h"

#include "app/Feedback.h"
#include "app/SettingsKeys.h"
#include "platform/VolumeReadiness.h"
#include "songdata/AudioFolder.h"
#include "songdata/FirstRun.h"

#include <utility>

namespace sonorelle {

CliSession::CliSession(Registry registry, Feedback& feedback, const QString& executableDir)
    : feedback_(feedback)
    , registry_(std::move(registry))
    , setup_(StartupContext{shared_, registry_, feedback_, *this, *this, texts_})
    // The command line's words are a command, never a file to add at start-up.
    , sequence_(StartupContext{shared_, registry_, feedback_, *this, *this, texts_}, setup_, executableDir,
                QString())
    , document_(shared_, feedback_, textLookup(), StrTg_)
    , fileTags_(id3_, StrTg_, songData())
{
}

bool CliSession::start(bool loadSongList)
{
    loadSongList_ = loadSongList;
    return sequence_.FormLoad() == StartupOutcome::Completed;
}

TextLookup CliSession::textLookup()
{
    return [this](const QString& key) { return texts_.text(key); };
}

SongDataContext CliSession::songData()
{
    return SongDataContext{shared_, feedback_, textLookup()};
}

// StartupHost: the window's parts that have no counterpart here do nothing.

void CliSession::showSplash() {}

void CliSession::hideSplash() {}

void CliSession::openSetupForFirstRun()
{
    // Writing "CDDrive" here would skip the window's Setup for good, so the choice is
    // left to the person; without it the command line cannot go on.
    const QString key = Registry::hiveName(Hive::LocalMachine) + u'\\' + SettingsKeys::ProgramKey;
    feedback_.message(
        QStringLiteral("The Setup has not been done yet, and the command line does not open it. Start sonorelle "
                       "once and close its Setup window, or choose the first CD unit with\n"
                       "  sonorelle-reg set '%1' %2 0\n"
                       "(the language is then the first file of the languages folder).")
            .arg(key, SettingsKeys::CDDrive),
        QStringLiteral("sonorelle-cli"), MessageIcon::Critical);
}

void CliSession::closeProgram()
{
    // start() sees the sequence's outcome and ends the program with an error.
}

void CliSession::placeFileBrowser(const QString& /*folder*/) {}

void CliSession::setPlaylistButtonEnabled(bool /*enabled*/) {}

void CliSession::fillDriveList(const QList<CdUnit>& units)
{
    drives_.clear();
    for (const CdUnit& unit : units)
        drives_.append(unit.label);
    driveSelection_ = -1;
}

void CliSession::selectDriveListEntry(int index)
{
    driveSelection_ = index >= 0 && index < drives_.size() ? index : -1;
}

QStringList CliSession::driveListEntries() const
{
    return drives_;
}

int CliSession::driveListSelection() const
{
    return driveSelection_;
}

void CliSession::selectFirstSongIfNone()
{
    if (selection_ < 0 && !document_.lines().isEmpty())
        selection_ = 0;
}

void CliSession::unloadProgress() {}

// StartupSteps

void CliSession::ApplyLanguage(const LanguageTexts& /*texts*/)
{
    // Start-up has loaded the language's texts into texts_, which every message reads;
    // there are no captions to set.
}

bool CliSession::CheckDrive(const QString& path)
{
    return IsVolumeReady(path);
}

void CliSession::ExpRightClickMenu()
{
    // The window registers "Add to Sonorelle"; a script's run must not rewrite the
    // desktop's files.
}

void CliSession::FirstRun()
{
    sonorelle::FirstRun(AudioFolder(shared_.GameAudioDir), StrTg_, registry_, shared_.TagCodePage);
}

void CliSession::NameExpert()
{
    if (loadSongList_)
        document_.NameExpert();
}

void CliSession::GoCMD()
{
    // Adding a file is a command of its own here, not a side effect of start-up.
}

}  // namespace sonorelle
