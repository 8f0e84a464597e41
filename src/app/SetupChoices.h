#pragma once

#include "app/StartupContext.h"
#include "lang/LanguageCatalog.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace sonorelle {

// What the Setup dialog does, without the dialog: the language files offered, the
// language and CD unit chosen, and the settings that store both. The dialog is a view
// over it; start-up loads it too when the dialog has not been built yet.
class SetupChoices {
public:
    explicit SetupChoices(const StartupContext& context);

    // Lists the language files and selects the stored language (the first file when
    // the stored one is not among them) and the CD unit selected in DriveList (entry 0
    // when none is), applying and storing both. Without any language file the program
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

    QString languagesFolder() const;

private:
    StartupContext context_;
    QList<LanguageFileInfo> languages_;
    int languageIndex_ = -1;
    int driveIndex_ = -1;
    bool loaded_ = false;
};

}  // namespace sonorelle
