#pragma once

#include "app/StartupHost.h"
#include "app/StartupSteps.h"
#include "lang/LanguageTexts.h"

#include <QStringList>

namespace sonorelle::test {

// Stands in for the main window during start-up: keeps the list of calls in order
// and the little state the sequence reads back (the CD unit list, its selection).
class RecordingStartupHost : public StartupHost, public StartupSteps {
public:
    void showSplash() override { calls.append(QStringLiteral("showSplash")); }
    void hideSplash() override { calls.append(QStringLiteral("hideSplash")); }
    void openSetupForFirstRun() override { calls.append(QStringLiteral("openSetup")); }
    void closeProgram() override { calls.append(QStringLiteral("closeProgram")); }
    void placeFileBrowser(const QString& folder) override
    {
        browserFolder = folder;
        calls.append(QStringLiteral("placeFileBrowser"));
    }
    void setPlaylistButtonEnabled(bool enabled) override { playlistButtonEnabled = enabled; }
    void fillDriveList(const QList<CdUnit>& units) override
    {
        driveEntries.clear();
        for (const CdUnit& unit : units)
            driveEntries.append(unit.label);
        driveSelection = -1;
    }
    void selectDriveListEntry(int index) override
    {
        driveSelection = index;
        calls.append(QStringLiteral("selectDrive %1").arg(index));
    }
    QStringList driveListEntries() const override { return driveEntries; }
    int driveListSelection() const override { return driveSelection; }
    void selectFirstSongIfNone() override { calls.append(QStringLiteral("selectFirstSong")); }
    void unloadProgress() override { calls.append(QStringLiteral("unloadProgress")); }

    void ApplyLanguage(const LanguageTexts& texts) override
    {
        calls.append(QStringLiteral("ApplyLanguage ") + texts.file());
    }
    bool CheckDrive(const QString& path) override
    {
        checkedDrives.append(path);
        return driveReady;
    }
    void ExpRightClickMenu() override { calls.append(QStringLiteral("ExpRightClickMenu")); }
    void FirstRun() override { calls.append(QStringLiteral("FirstRun")); }
    void NameExpert() override { calls.append(QStringLiteral("NameExpert")); }
    void GoCMD() override { calls.append(QStringLiteral("GoCMD")); }

    QStringList calls;
    QString browserFolder;
    bool playlistButtonEnabled = true;
    QStringList driveEntries;
    int driveSelection = -1;
    bool driveReady = true;
    QStringList checkedDrives;
};

}  // namespace sonorelle::test
