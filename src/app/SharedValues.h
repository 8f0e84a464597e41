#pragma once

#include "platform/CodePage.h"

#include <QString>

namespace sonorelle {

// The program-wide values that start-up establishes and almost every operation reads.
// One instance, owned by the front end (window or command line), passed by reference.
struct SharedValues {
    QString ProgramDir;    // folder of the program and its tools, no trailing '/'
    QString GameDir;       // the game's folder, always ending in '/'
    QString GameAudioDir;  // GameDir + "data/audio/" as the game spells them on disk
    QString TempDir;       // private work folder, no trailing '/'
    QString WinampDir;     // empty when no playlist player is installed
    QString DriveReady = QStringLiteral("no");
    QString LangName;
    QString CmdLine;
    QString CdDriveIndex;
    QString LangFile;
    QString LastWorkDir;
    // The code page of tag records: the store's "TagCodePage", else the one Wine uses
    // for the locale. Set first thing at start-up.
    CodePage TagCodePage;
};

}  // namespace sonorelle
