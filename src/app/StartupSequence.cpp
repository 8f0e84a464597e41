#include "app/StartupSequence.h"

#include "app/CdUnitList.h"
#include "app/Feedback.h"
#include "app/GameInstallationChoice.h"
#include "app/LockGame.h"
#include "app/SettingsKeys.h"
#include "app/SetupChoices.h"
#include "app/SharedValues.h"
#include "app/StartupHost.h"
#include "app/StartupSteps.h"
#include "lang/LanguageTexts.h"
#include "platform/CdUnits.h"
#include "platform/Registry.h"
#include "platform/ToolRunner.h"
#include "platform/WinePaths.h"
#include "platform/WorkFolder.h"
#include "songdata/AudioFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QScopeGuard>
#include <QStandardPaths>

#include <utility>

namespace sonorelle {

namespace {

const QString CriticalError = QStringLiteral("Critical Error");
const QString SongListName = QStringLiteral("songlist.bin");
constexpr int ExtractionWaitMs = 10000;

QString WithTrailingSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace

struct StartupSequence::Extraction {
    Extraction(GameLock held, QString archivePath, const QString& program, const QStringList& arguments)
        : lock(std::move(held)), archive(std::move(archivePath)), tool(program, arguments)
    {
    }

    GameLock lock;
    QString archive;
    ToolProcess tool;
};

StartupSequence::StartupSequence(const StartupContext& context, SetupChoices& setup, QString executableDir,
                                 QString commandLine)
    : context_(context),
      setup_(setup),
      executableDir_(std::move(executableDir)),
      commandLine_(std::move(commandLine))
{
}

StartupSequence::~StartupSequence() = default;

QString StartupSequence::setting(const QString& valueName) const
{
    return context_.registry.ReadRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, valueName);
}

StartupOutcome StartupSequence::FormLoad()
{
    SharedValues& shared = context_.shared;
    shared.CmdLine = commandLine_;
    context_.host.showSplash();
    chooseTagCodePage();

    if (!findProgramDir())
        return fail(QStringLiteral("Error: can not find Sonorelle install folder!"), CriticalError);
    if (!findGameDir())
        return fail(QStringLiteral("Error: can not find Kickvale 09 install folder!"), CriticalError);
    startSongListExtraction();
    // However start-up ends, the extraction has ended with it.
    const auto extracted = qScopeGuard([this] { finishSongListExtraction(); });
    if (!prepareTempDir())
        return StartupOutcome::Ended;
    shared.LastWorkDir = setting(SettingsKeys::LastWorkDir);
    findWinamp();

    shared.CdDriveIndex = setting(SettingsKeys::CDDrive);
    fillDriveList();
    if (shared.CdDriveIndex.isEmpty()) {
        context_.feedback.message(
            QStringLiteral("Choose language of the interface and CD-drive used for ripping"),
            QStringLiteral("Sonorelle Setup"), MessageIcon::None);
        context_.host.openSetupForFirstRun();
        return StartupOutcome::AwaitingSetup;
    }
    bool isNumber = false;
    const int wanted = shared.CdDriveIndex.trimmed().toInt(&isNumber);
    context_.units.select(isNumber && wanted >= 0 && wanted < context_.units.units().size() ? wanted : 0);

    if (!applyLanguage())
        return StartupOutcome::Ended;
    if (!checkEncoder())
        return StartupOutcome::Ended;

    // From here on nothing stops start-up: each step does what it can.
    placeFileBrowser();
    context_.steps.ExpRightClickMenu();
    finishSongListExtraction();
    tagShippedSongsOnce();
    context_.steps.NameExpert();
    context_.host.selectFirstSongIfNone();
    context_.host.hideSplash();
    context_.steps.GoCMD();
    context_.host.unloadProgress();
    return StartupOutcome::Completed;
}

StartupOutcome StartupSequence::fail(const QString& text, const QString& caption)
{
    context_.feedback.message(text, caption, MessageIcon::Critical);
    context_.host.closeProgram();
    return StartupOutcome::Ended;
}

void StartupSequence::chooseTagCodePage()
{
    SharedValues& shared = context_.shared;
    shared.TagCodePage = CodePage(CodePage::forEnvironment());
    const QString chosen = setting(SettingsKeys::TagCodePage).trimmed();
    if (chosen.isEmpty())
        return;
    bool isNumber = false;
    const CodePage stored(chosen.toInt(&isNumber));
    if (isNumber && stored.isValid()) {
        shared.TagCodePage = stored;
        return;
    }
    context_.feedback.message(
        QStringLiteral("The setting TagCodePage (%1) names no code page this system can convert; tag records are "
                       "read and written in code page %2, the one of your locale.")
            .arg(chosen)
            .arg(shared.TagCodePage.number()),
        QStringLiteral("Sonorelle"), MessageIcon::Warning);
}

bool StartupSequence::findProgramDir()
{
    QString folder = setting(SettingsKeys::InstallDir);
    if (folder.isEmpty())
        folder = executableDir_;
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    context_.shared.ProgramDir = folder;
    return folder.size() >= 4;
}

bool StartupSequence::findGameDir()
{
    const GameInstallationChoice choice =
        ChooseGameInstallation(context_.registry, QProcessEnvironment::systemEnvironment());
    if (!choice.chosen)
        return false;
    if (choice.source == GameInstallationChoice::Source::First)
        context_.feedback.setStatus(QStringLiteral("The game is installed in %1 prefixes; taking the first, the %2 "
                                                   "prefix %3 (the Setup chooses another)")
                                        .arg(choice.found.installations.size())
                                        .arg(PrefixManagerName(choice.chosen->manager), choice.chosen->prefixPath));
    // What the program reads of Wine's registry from now on comes from the game's prefix.
    context_.registry.setWinePrefix(choice.chosen->prefixPath);
    SharedValues& shared = context_.shared;
    shared.GameDir = choice.chosen->gameFolder;
    // The game may spell its folders "Data\Audio"; Wine finds them in any case.
    const QString data = PathIgnoringCase(shared.GameDir, QStringLiteral("data"));
    shared.GameAudioDir = WithTrailingSlash(PathIgnoringCase(data, QStringLiteral("audio")));
    return true;
}

void StartupSequence::startSongListExtraction()
{
    const SharedValues& shared = context_.shared;
    const AudioFolder folder(shared.GameAudioDir);
    const QString archive = folder.archivePath();
    if (!QFileInfo(archive).isFile()) {
        context_.feedback.message(
            QStringLiteral("The game's audio archive %1 is missing, so its song list can not be read. "
                           "The Kickvale 09 installation is damaged; reinstall the game.")
                .arg(archive),
            QStringLiteral("Sonorelle"), MessageIcon::Warning);
        return;
    }
    // Another process may be putting the list back into the archive right now.
    GameLock lock = LockGame(shared.GameDir, context_.feedback,
                             [this](const QString& key) { return context_.texts.text(key); });
    if (!lock.isHeld())
        return;
    extraction_ = std::make_unique<Extraction>(
        std::move(lock), archive, JoinPath(shared.ProgramDir, QStringLiteral("addon2")),
        QStringList{QStringLiteral("-e"), archive, SongListName, folder.songListPath()});
}

void StartupSequence::finishSongListExtraction()
{
    if (!extraction_)
        return;
    const std::unique_ptr<Extraction> extraction = std::move(extraction_);
    const RunResult result = extraction->tool.wait(ExtractionWaitMs);
    if (result.succeeded())
        return;
    QString why = result.error;
    if (why.isEmpty())
        why = result.waitResult == RunResult::TimedOut
                  ? QStringLiteral("the archive tool did not finish in time")
                  : QStringLiteral("the archive tool ended with code %1").arg(result.exitCode);
    context_.feedback.message(
        QStringLiteral("The song list could not be taken out of the game's audio archive %1 (%2). "
                       "The list shown may be out of date; the archive is left as it was.")
            .arg(extraction->archive, why),
        QStringLiteral("Sonorelle"), MessageIcon::Warning);
}

bool StartupSequence::prepareTempDir()
{
    QString error;
    context_.shared.TempDir = PrepareTempDir(&error);
    if (!context_.shared.TempDir.isEmpty())
        return true;
    fail(QStringLiteral("Error: can not use the work folder for temporary files: %1").arg(error), CriticalError);
    return false;
}

void StartupSequence::findWinamp()
{
    const QString stored =
        context_.registry.ReadRegValue(Hive::CurrentUser, SettingsKeys::WinampKey, SettingsKeys::DefaultValue);
    // The playlist window opens empty without a player, and Load works there too.
    context_.shared.WinampDir =
        stored.isEmpty() ? QString() : TranslateWindowsPath(stored, context_.registry.winePrefix());
}

void StartupSequence::fillDriveList()
{
    context_.units.fill(ListCDDrives(setting(SettingsKeys::CDImages)));
}

bool StartupSequence::applyLanguage()
{
    // The Setup dialog's first load applies and stores the language itself: the stored
    // file, or the first one when the stored file is gone.
    if (!setup_.isLoaded()) {
        if (!setup_.load())
            return false;
    } else {
        context_.texts.load(setting(SettingsKeys::Language));
        context_.steps.ApplyLanguage(context_.texts);
    }
    context_.shared.LangFile = context_.texts.file();
    return true;
}

bool StartupSequence::checkEncoder()
{
    const QString& programDir = context_.shared.ProgramDir;
    if (QFileInfo::exists(JoinPath(programDir, QStringLiteral("addon3"))))
        return true;
    const LanguageTexts& texts = context_.texts;
    fail(texts.missingFileText() + QLatin1Char(' ') + programDir + QLatin1Char('/')
             + texts.textOr(QStringLiteral("msg8_3"), QStringLiteral("addon3 - please reinstall Sonorelle.")),
         texts.messageCaption());
    return false;
}

void StartupSequence::placeFileBrowser()
{
    SharedValues& shared = context_.shared;
    // A person's own songs are most likely in their music folder.
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    QString folder = !music.isEmpty() && QFileInfo(music).isDir() ? music : QDir::homePath();
    if (!shared.LastWorkDir.isEmpty()) {
        const QString last = TranslateWindowsPath(shared.LastWorkDir, context_.registry.winePrefix());
        const bool ready = context_.steps.CheckDrive(last);
        shared.DriveReady = ready ? QStringLiteral("yes") : QStringLiteral("no");
        const QFileInfo info(last);
        if (ready && info.isDir() && info.isReadable())
            folder = last;
    }
    context_.host.placeFileBrowser(folder);
}

void StartupSequence::tagShippedSongsOnce()
{
    if (setting(SettingsKeys::FirstRun) != QStringLiteral("1"))
        context_.steps.FirstRun();
}

}  // namespace sonorelle
