#include "app/LockGame.h"

#include "app/Feedback.h"

namespace sonorelle {

GameLock LockGame(const QString& gameDir, Feedback& feedback, const TextLookup& texts)
{
    GameLock lock(gameDir, GameLock::waitMs());
    if (lock.isHeld())
        return lock;
    QString text = TextOr(texts, QStringLiteral("msgGameBusy"),
                          QStringLiteral("The game's songs are being changed by another Sonorelle window or "
                                         "sonorelle-cli. Nothing was changed; try again when it has finished."));
    if (!lock.error().isEmpty())
        text += QStringLiteral(" (%1)").arg(lock.error());
    feedback.message(text, QStringLiteral("Sonorelle"), MessageIcon::Warning);
    return lock;
}

}  // namespace sonorelle
