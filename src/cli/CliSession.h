#pragma once

#include "app/Session.h"
#include "app/StartupHost.h"

namespace sonorelle {

class Feedback;

// The command line's side of start-up: no splash, no Setup dialog, no file browser,
// no captions. It runs the session's start-up and then holds the game's song list
// for one command.
class CliSession : public StartupHost {
public:
    // executableDir stands in for a missing "InstallDir".
    CliSession(Registry registry, Feedback& feedback, const QString& executableDir);

    // Runs start-up; false when it ended (its message is out) or the Setup has not
    // been done yet (the command line does not open it and says how to do it).
    bool start();

    Session& session() { return session_; }
    // The selected line after start-up: the first song, -1 when there is none.
    int selection() const { return selection_; }

    // StartupHost
    void showSplash() override;
    void hideSplash() override;
    void openSetupForFirstRun() override;
    void closeProgram() override;
    void placeFileBrowser(const QString& folder) override;
    void selectFirstSongIfNone() override;
    void unloadProgress() override;
    void ApplyLanguage(const LanguageTexts& texts) override;
    void ExpRightClickMenu() override;
    void songListLoaded() override;
    void GoCMD() override;

private:
    Feedback& feedback_;
    Session session_;
    int selection_ = -1;
};

}  // namespace sonorelle
