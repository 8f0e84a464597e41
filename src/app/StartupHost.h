#pragma once

#include "platform/CdUnits.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace sonorelle {

// What start-up and the Setup dialog need from the window side. The main window
// implements it; tests give a recorder, so the whole sequence runs without a display.
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

    // The playlist button Command17.
    virtual void setPlaylistButtonEnabled(bool enabled) = 0;

    // DriveList, the list of CD units used for ripping.
    virtual void fillDriveList(const QList<CdUnit>& units) = 0;
    virtual void selectDriveListEntry(int index) = 0;
    virtual QStringList driveListEntries() const = 0;
    virtual int driveListSelection() const = 0;  // -1: nothing selected

    // lstSong gets entry 0 selected when none is.
    virtual void selectFirstSongIfNone() = 0;

    // The progress window is unloaded so that none is left over from start-up.
    virtual void unloadProgress() = 0;
};

}  // namespace sonorelle
