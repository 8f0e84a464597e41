#include "app/GameLauncher.h"

#include "app/Feedback.h"
#include "platform/WinePaths.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace sonorelle {

const QString GameLauncher::Executable = QStringLiteral("kickvale09.exe");

namespace {

void Tell(Feedback& feedback, const TextLookup& texts, const QString& text)
{
    feedback.message(text, TextOr(texts, QStringLiteral("msgcap1"), QStringLiteral("Sonorelle")),
                     MessageIcon::Critical);
}

}  // namespace

bool GameLauncher::run(const QString& gameDir, const QString& winePrefix, Feedback& feedback,
                       const TextLookup& texts)
{
    const QString game = PathIgnoringCase(gameDir, Executable);
    if (!QFileInfo(game).isFile()) {
        Tell(feedback, texts,
             TextOr(texts, QStringLiteral("msgGameMissing"),
                    QStringLiteral("The game can not be started: its program file is missing:"))
                 + u'\n' + game);
        return false;
    }
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (wine.isEmpty()) {
        Tell(feedback, texts,
             TextOr(texts, QStringLiteral("msgWineMissing"),
                    QStringLiteral("The game needs Wine to run, and Wine was not found. "
                                   "Install the package \"wine\" and try again.")));
        return false;
    }
    QProcess process;
    process.setProgram(wine);
    process.setArguments({game});
    process.setWorkingDirectory(gameDir);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), winePrefix);
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    Tell(feedback, texts,
         TextOr(texts, QStringLiteral("msgGameNotStarted"), QStringLiteral("Wine could not be started:"))
             + u'\n' + process.errorString());
    return false;
}

}  // namespace sonorelle
