#pragma once

#include <QString>

// Where the program's settings and the facts it reads about other programs live in
// the registry. Every value is a REG_SZ string.
namespace sonorelle::SettingsKeys {

// HKEY_LOCAL_MACHINE: the program's own settings.
inline const QString ProgramKey = QStringLiteral("SOFTWARE\\Corvitane\\Sonorelle");
inline const QString InstallDir = QStringLiteral("InstallDir");
inline const QString LastWorkDir = QStringLiteral("LastWorkDir");
inline const QString CDDrive = QStringLiteral("CDDrive");
inline const QString Language = QStringLiteral("Language");
inline const QString FirstRun = QStringLiteral("FirstRun");
inline const QString CDImages = QStringLiteral("CDImages");
// A Windows code page number for tag records, overriding the one of the locale.
inline const QString TagCodePage = QStringLiteral("TagCodePage");
// The Wine prefix of the game's installation to use when there are several.
inline const QString GamePrefix = QStringLiteral("GamePrefix");

// HKEY_LOCAL_MACHINE: written by the game's installer.
inline const QString GameKey = QStringLiteral("SOFTWARE\\Ostravel\\Kickvale 09");
inline const QString GameInstallDir = QStringLiteral("Install Dir");

// HKEY_CURRENT_USER: the playlist player's folder is the key's default value.
inline const QString WinampKey = QStringLiteral("Software\\Winamp");
inline const QString DefaultValue;

}  // namespace sonorelle::SettingsKeys
