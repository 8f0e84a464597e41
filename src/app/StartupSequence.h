#pragma once

#include "app/StartupContext.h"

#include <QString>

#include <memory>

namespace sonorelle {

class SetupChoices;

enum class StartupOutcome {
    Completed,      // every step ran
    AwaitingSetup,  // first run: the Setup dialog is open, its Close runs FormLoad again
    Ended,          // a fatal message was shown and the program closes
};

// What runs when the main window loads: finds the program's and the game's folders,
// takes the song list out of the game's archive, prepares the work folder, asks for
// the Setup on a first run, applies the language, puts the file browser back where
// the person last worked and hands over to the song list and the command line.
class StartupSequence {
public:
    // executableDir stands in for a missing "InstallDir"; commandLine is the text after
    // the program's name.
    StartupSequence(const StartupContext& context, SetupChoices& setup, QString executableDir,
                    QString commandLine);
    ~StartupSequence();

    // The whole sequence; run again by the Setup dialog's Close.
    StartupOutcome FormLoad();

    // The code page of tag records: the store's "TagCodePage", else the locale's.
    void chooseTagCodePage();

private:
    // The song list is taken out of the archive into the game's audio folder while the
    // rest of start-up goes on; the tool replaces the file only when it succeeds. A
    // failure is told, not fatal.
    void startSongListExtraction();
    void finishSongListExtraction();
    bool findProgramDir();
    bool findGameDir();
    bool prepareTempDir();
    void findWinamp();
    void fillDriveList();
    bool applyLanguage();
    bool checkEncoder();
    void placeFileBrowser();
    void tagShippedSongsOnce();
    StartupOutcome fail(const QString& text, const QString& caption);
    QString setting(const QString& valueName) const;

    StartupContext context_;
    SetupChoices& setup_;
    QString executableDir_;
    QString commandLine_;
    struct Extraction;
    std::unique_ptr<Extraction> extraction_;
};

}  // namespace sonorelle
