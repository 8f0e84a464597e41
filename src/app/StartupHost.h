#pragma once

#include <QString>

namespace sonorelle {

class LanguageTexts;

// What start-up needs from the front end it runs in. The main window implements it
// with its windows; the command line with next to nothing; tests with a recorder.
class StartupHost {
public:
    virtual ~StartupHost() = default;

    // The splash window: the first show runs its own load (language line, one second
    // of waiting); later shows only bring it back.
    virtual void showSplash() = 0;
    virtual void hideSplash() = 0;

    // First run: the Setup dialog shown (not modal) and the main window hidden. The
    // dialog's Close shows the main window again and runs start-up once more.
    virtual void openSetupForFirstRun() = 0;

    // Ends the program after a fatal message: every window closes.
    virtual void closeProgram() = 0;

    // The file browser (drive list, folder list, file list) shows this folder.
    virtual void placeFileBrowser(const QString& folder) = 0;

    // lstSong gets entry 0 selected when none is.
    virtual void selectFirstSongIfNone() = 0;

    // The progress window is unloaded so that none is left over from start-up.
    virtual void unloadProgress() = 0;

    // The steps that differ between the window and the command line.
    // Sets the captions of every window from texts, which hold the chosen language.
    virtual void ApplyLanguage(const LanguageTexts& texts) = 0;
    // Registers "Add to Sonorelle" with the desktop's file managers.
    virtual void ExpRightClickMenu() = 0;
    // The song list was (re)loaded: lstSong shows the new lines.
    virtual void songListLoaded() = 0;
    // Adds the file named on the command line (CmdLine), if any.
    virtual void GoCMD() = 0;
};

}  // namespace sonorelle
