#include "app/SetupChoices.h"

#include "app/CdUnitList.h"
#include "app/Feedback.h"
#include "app/GameInstallationChoice.h"
#include "app/SettingsKeys.h"
#include "app/SharedValues.h"
#include "app/StartupHost.h"
#include "app/StartupSteps.h"
#include "lang/LanguageTexts.h"
#include "platform/Registry.h"
#include "platform/WinePaths.h"

#include <algorithm>
#include <utility>

namespace sonorelle {

SetupChoices::SetupChoices(const StartupContext& context, QProcessEnvironment environment)
    : context_(context)
    , environment_(std::move(environment))
{
}

QString SetupChoices::languagesFolder() const
{
    return JoinPath(context_.shared.ProgramDir, QStringLiteral("languages"));
}

bool SetupChoices::load()
{
    const QString stored =
        context_.registry.ReadRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::Language);
    languages_ = LanguageCatalog::scan(languagesFolder());
    if (languages_.isEmpty()) {
        context_.feedback.message(context_.texts.missingFileText() + QLatin1Char(' ') + languagesFolder(),
                                  context_.texts.messageCaption(), MessageIcon::Critical);
        context_.host.closeProgram();
        return false;
    }
    loaded_ = true;
    chooseLanguage(std::max(0, LanguageCatalog::indexOf(languages_, stored)));
    chooseDrive(std::max(0, context_.units.selection()));
    findGames();
    return true;
}

void SetupChoices::chooseLanguage(int index)
{
    if (index < 0 || index >= languages_.size())
        return;
    languageIndex_ = index;
    const LanguageFileInfo& file = languages_[index];
    context_.shared.LangName = file.Language;
    context_.texts.load(file.path);
    context_.steps.ApplyLanguage(context_.texts);
    context_.registry.WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::Language,
                                    file.path);
}

QStringList SetupChoices::driveEntries() const
{
    QStringList entries = context_.units.labels();
    // The drives' own names stay; the stand-in for none speaks the person's language.
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (context_.units.units().at(i).isPlaceholder())
            entries[i] = context_.texts.textOr(QStringLiteral("NoCdDrive"), entries[i]);
    }
    return entries;
}

void SetupChoices::chooseDrive(int index)
{
    if (index < 0 || index >= driveEntries().size())
        return;
    driveIndex_ = index;
    context_.units.select(index);
    context_.registry.WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::CDDrive,
                                    QString::number(index));
}

void SetupChoices::findGames()
{
    const GameInstallationChoice choice = ChooseGameInstallation(context_.registry, environment_);
    games_ = choice.found.installations;
    gameIndex_ = -1;
    for (qsizetype i = 0; i < games_.size() && choice.chosen; ++i) {
        if (IsSameGameInstallation(games_[i], *choice.chosen))
            gameIndex_ = static_cast<int>(i);
    }
}

QStringList SetupChoices::gameEntries() const
{
    QStringList entries;
    for (const GameInstallation& game : games_)
        entries.append(QStringLiteral("%1: %2 (%3)").arg(PrefixManagerName(game.manager), game.prefixName,
                                                         game.gameFolder));
    return entries;
}

void SetupChoices::chooseGame(int index)
{
    if (index < 0 || index >= games_.size())
        return;
    QString error;
    if (!StoreGameInstallationChoice(context_.registry, games_[index], &error)) {
        context_.feedback.message(error, context_.texts.messageCaption(), MessageIcon::Critical);
        return;
    }
    gameIndex_ = index;
}

}  // namespace sonorelle
