#pragma once

#include "app/SetupChoices.h"
#include "app/SharedValues.h"
#include "app/StartupHost.h"
#include "app/StartupSequence.h"
#include "app/StartupSteps.h"
#include "lang/LanguageTexts.h"
#include "platform/Registry.h"
#include "songdata/SongDataContext.h"
#include "songdata/SongListDocument.h"
#include "songdata/TagRecord.h"

namespace sonorelle {

class Feedback;

// The program-wide state of one command-line run and the window-side of start-up
// without a window: no splash, no Setup dialog, no file browser. It runs the same
// start-up as the main window and then holds the game's song list for a command.
class CliSession : public StartupHost, public StartupSteps {
public:
    // executableDir stands in for a missing "InstallDir".
    CliSession(Registry registry, Feedback& feedback, const QString& executableDir);

    // Runs start-up; false when it ended (its message is out) or the Setup has not
    // been done yet (the command line does not open it and says how to do it).
    bool start();

    SongListDocument& document() { return document_; }
    SongDataContext songData();
    // The selected line after start-up: the first song, -1 when there is none.
    int selection() const { return selection_; }

    // StartupHost
    void showSplash() override;
    void hideSplash() override;
    void openSetupForFirstRun() override;
    void closeProgram() override;
    void placeFileBrowser(const QString& folder) override;
    void setPlaylistButtonEnabled(bool enabled) override;
    void fillDriveList(const QList<CdUnit>& units) override;
    void selectDriveListEntry(int index) override;
    QStringList driveListEntries() const override;
    int driveListSelection() const override;
    void selectFirstSongIfNone() override;
    void unloadProgress() override;

    // StartupSteps
    void ApplyLanguage(const LanguageTexts& texts) override;
    bool CheckDrive(const QString& path) override;
    void ExpRightClickMenu() override;
    void FirstRun() override;
    void NameExpert() override;
    void GoCMD() override;

private:
    TextLookup textLookup();

    Feedback& feedback_;
    Registry registry_;
    SharedValues shared_;
    LanguageTexts texts_;
    TagRecord StrTg_;
    SetupChoices setup_;
    StartupSequence sequence_;
    SongListDocument document_;
    QStringList drives_;
    int driveSelection_ = -1;
    int selection_ = -1;
};

}  // namespace sonorelle
