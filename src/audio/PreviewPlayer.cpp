#include "audio/PreviewPlayer.h"

#include "app/Feedback.h"
#include "audio/Player.h"

#include <QFileInfo>
#include <QIODevice>

namespace sonorelle {

PreviewPlayer::PreviewPlayer(Feedback& feedback)
    : feedback_(feedback)
{
}

void PreviewPlayer::MciPlayFile(const QString& path)
{
    if (!player_ || !QFileInfo(path).isFile())
        return;
    player_->play(path, [this](const QString& errorText) { reportError(errorText); });
}

void PreviewPlayer::playStream(std::unique_ptr<QIODevice> stream)
{
    if (player_)
        player_->playDevice(std::move(stream), [this](const QString& errorText) { reportError(errorText); });
}

void PreviewPlayer::stopStream()
{
    if (player_ && player_->playsDevice())
        player_->stop();
}

void PreviewPlayer::reportError(const QString& errorText)
{
    feedback_.message(errorText, QStringLiteral("Sonorelle"), MessageIcon::Critical);
}

void PreviewPlayer::MciStopFile()
{
    if (player_)
        player_->stop();
}

}  // namespace sonorelle
