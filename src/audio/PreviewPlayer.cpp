#include "audio/PreviewPlayer.h"

#include "app/Feedback.h"
#include "audio/Player.h"

#include <QFileInfo>

namespace sonorelle {

PreviewPlayer::PreviewPlayer(Feedback& feedback)
    : feedback_(feedback)
{
}

void PreviewPlayer::MciPlayFile(const QString& path)
{
    if (!player_ || !QFileInfo(path).isFile())
        return;
    player_->play(path, [this](const QString& errorText) {
        feedback_.message(errorText, QStringLiteral("Sonorelle"), MessageIcon::Critical);
    });
}

void PreviewPlayer::MciStopFile()
{
    if (player_)
        player_->stop();
}

}  // namespace sonorelle
