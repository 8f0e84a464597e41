#pragma once

#include "app/StartupContext.h"
#include "lang/LanguageCatalog.h"
#include "platform/GameInstallation.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace sonorelle {

// What the Setup dialog does, without the dialog: the language files offered, the
// language and CD unit chosen, the installation of the game worked on when there are
// several, and the settings that store them. The dialog is a view
// over it; start-up loads it too when the dialog has not been built yet.
class SetupChoices {
public:
    // environment: where the installations of the game are looked for.
    explicit SetupChoices(const StartupContext& context,
                          QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());

    // Lists the language files and selects the stored language (the first file when
    // the stored one is not among them) and the CD unit selected in DriveList (entry 0
    // when none is), applying and storing both, and finds the installations of the game. Without any language file the program
    // cannot show a text: the fatal message is shown, the program closes, and false
    // is returned.
    bool load();
    bool isLoaded() const { return loaded_; }

    const QList<LanguageFileInfo>& languages() const { return languages_; }
    int languageIndex() const { return languageIndex_; }
    int driveIndex() const { return driveIndex_; }
    QStringList driveEntries() const;

    // Applies the index-th language file at once and stores it as "Language".
    void chooseLanguage(int index);

    // Selects the same entry of DriveList and stores the position as "CDDrive".
    void chooseDrive(int index);

    // Every installation of the game found, the one in use at gameIndex() (-1 when the
    // store names the game's folder itself); one entry per installation: manager,
    // prefix name and game folder.
    const QList<GameInstallation>& games() const { return games_; }
    int gameIndex() const { return gameIndex_; }
    QStringList gameEntries() const;

    // Stores the index-th installation as the one to work on; start-up takes it when
    // it runs again.
    void chooseGame(int index);

    QString languagesFolder() const;

private:
    void findGames();

    StartupContext context_;
    QProcessEnvironment environment_;
    QList<LanguageFileInfo> languages_;
    int languageIndex_ = -1;
    int driveIndex_ = -1;
    QList<GameInstallation> games_;
    int gameIndex_ = -1;
    bool loaded_ = false;
};

}  // namespace sonorelle
