#pragma once

#include "app/StartupHost.h"
#include "app/StartupSteps.h"
#include "lang/LanguageTexts.h"

#include <QStringList>

namespace sonorelle::test {

// Stands in for the front end and the session's steps during start-up: keeps the
// calls in order.
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
    void selectFirstSongIfNone() override { calls.append(QStringLiteral("selectFirstSong")); }
    void unloadProgress() override { calls.append(QStringLiteral("unloadProgress")); }

    void ApplyLanguage(const LanguageTexts& texts) override
    {
        calls.append(QStringLiteral("ApplyLanguage ") + texts.file());
    }
    bool CheckDrive(const QString&) override { return driveReady; }
    void ExpRightClickMenu() override { calls.append(QStringLiteral("ExpRightClickMenu")); }
    void FirstRun() override { calls.append(QStringLiteral("FirstRun")); }
    void NameExpert() override { calls.append(QStringLiteral("NameExpert")); }
    void GoCMD() override { calls.append(QStringLiteral("GoCMD")); }
    void songListLoaded() override { calls.append(QStringLiteral("songListLoaded")); }

    QStringList calls;
    QString browserFolder;
    bool driveReady = true;
};

}  // namespace sonorelle::test
