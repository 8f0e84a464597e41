#pragma once

#include <QString>

namespace sonorelle {

class LanguageTexts;

// The steps of start-up that other parts of the program carry out, in the order the
// sequence calls them. The session implements each by calling the part that owns it,
// or hands it to the front end where the window and the command line differ.
class StartupSteps {
public:
    virtual ~StartupSteps() = default;

    // Sets the captions of every window from texts, which already hold the chosen
    // language file's texts. Windows created later take their captions from the same
    // texts when they are built.
    virtual void ApplyLanguage(const LanguageTexts& texts) = 0;

    // Whether the volume that holds path is ready (present, mounted, readable; a CD
    // unit holds a disc). Start-up stores the answer in DriveReady.
    virtual bool CheckDrive(const QString& path) = 0;

    // Registers "Add to Sonorelle" with the desktop's file managers.
    virtual void ExpRightClickMenu() = 0;

    // Tags the songs the game ships with; stores "1" as "FirstRun" when done.
    virtual void FirstRun() = 0;

    // Loads the game's song list and fills lstSong.
    virtual void NameExpert() = 0;

    // Adds the file named on the command line (CmdLine), if any, as a new song.
    virtual void GoCMD() = 0;
};

}  // namespace sonorelle
