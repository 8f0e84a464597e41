#include "cli/CliSession.h"

#include "app/Feedback.h"
#include "app/SettingsKeys.h"
#include "songdata/TextLookup.h"

#include <utility>

namespace sonorelle {

CliSession::CliSession(Registry registry, Feedback& feedback, const QString& executableDir)
    : feedback_(feedback)
    // The command line's words are a command, never a file to add at start-up.
    , session_(std::move(registry), feedback, *this, executableDir, QString())
{
}

bool CliSession::start()
{
    return session_.FormLoad() == StartupOutcome::Completed;
}

// The window's parts that have no counterpart here do nothing.

void CliSession::showSplash() {}

void CliSession::hideSplash() {}

void CliSession::openSetupForFirstRun()
{
    // Writing "CDDrive" here would skip the window's Setup for good, so the choice is
    // left to the person; without it the command line cannot go on.
    const QString key = Registry::hiveName(Hive::LocalMachine) + u'\\' + SettingsKeys::ProgramKey;
    const QString text = TextOr(session_.lookup(), QStringLiteral("msgCliSetupMissing"),
                                QStringLiteral("The Setup has not been done yet, and the command line does not open "
                                               "it. Start sonorelle once and close its Setup window, or choose the "
                                               "first CD unit with"));
    feedback_.message(text + QStringLiteral("\n  sonorelle-reg set '%1' %2 0").arg(key, SettingsKeys::CDDrive),
                      QStringLiteral("sonorelle-cli"), MessageIcon::Critical);
}

void CliSession::closeProgram()
{
    // start() sees the sequence's outcome and ends the program with an error.
}

void CliSession::placeFileBrowser(const QString& /*folder*/) {}

void CliSession::selectFirstSongIfNone()
{
    if (selection_ < 0 && !session_.document().lines().isEmpty())
        selection_ = 0;
}

void CliSession::unloadProgress() {}

void CliSession::ApplyLanguage(const LanguageTexts& /*texts*/)
{
    // The session keeps the language's texts, which every message reads; there are
    // no captions to set.
}

void CliSession::ExpRightClickMenu()
{
    // The window registers "Add to Sonorelle"; a script's run must not rewrite the
    // desktop's files.
}

void CliSession::songListLoaded() {}

void CliSession::GoCMD()
{
    // Adding a file is a command of its own here, not a side effect of start-up.
}

}  // namespace sonorelle
