#include "playback/MediaPlayer.h"

#include <QAudioOutput>
#include <QIODevice>
#include <QMediaPlayer>
#include <QUrl>

#include <utility>

namespace sonorelle {

MediaPlayer::MediaPlayer(QObject* parent)
    : QObject(parent)
{
}

MediaPlayer::~MediaPlayer() = default;

QMediaPlayer& MediaPlayer::mediaPlayer()
{
    if (player_)
        return *player_;
    // Made on first use: the media backend takes longer to come up than the whole
    // window, and many sessions never play anything.
    output_ = std::make_unique<QAudioOutput>();
    player_ = std::make_unique<QMediaPlayer>();
    player_->setAudioOutput(output_.get());
    connect(player_.get(), &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error error, const QString& text) {
                if (error == QMediaPlayer::NoError || !onError_)
                    return;
                // Once per file: the player may repeat the error while it gives up.
                const ErrorHandler report = std::exchange(onError_, nullptr);
                report(text.isEmpty() ? QStringLiteral("The file cannot be played.") : text);
            });
    return *player_;
}

void MediaPlayer::play(const QString& path, ErrorHandler onError)
{
    stop();
    onError_ = std::move(onError);
    mediaPlayer().setSource(QUrl::fromLocalFile(path));
    mediaPlayer().play();
}

void MediaPlayer::playDevice(std::unique_ptr<QIODevice> device, ErrorHandler onError)
{
    stop();
    onError_ = std::move(onError);
    device_ = std::move(device);
    // The name tells the backend what kind of data the device holds.
    mediaPlayer().setSourceDevice(device_.get(), QUrl(QStringLiteral("track.wav")));
    mediaPlayer().play();
}

void MediaPlayer::stop()
{
    onError_ = nullptr;
    if (player_) {
        player_->stop();
        player_->setSource(QUrl());
    }
    // The backend may still have a read queued for it.
    if (device_)
        device_.release()->deleteLater();
}

}  // namespace sonorelle
