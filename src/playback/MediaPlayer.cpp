#include "playback/MediaPlayer.h"

#include <QIODevice>
#include <QUrl>

#include <utility>

namespace sonorelle {

MediaPlayer::MediaPlayer(QObject* parent)
    : QObject(parent)
{
    player_.setAudioOutput(&output_);
    connect(&player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error, const QString& text) {
        if (error == QMediaPlayer::NoError || !onError_)
            return;
        // Once per file: the player may repeat the error while it gives up.
        const ErrorHandler report = std::exchange(onError_, nullptr);
        report(text.isEmpty() ? QStringLiteral("The file cannot be played.") : text);
    });
}

void MediaPlayer::play(const QString& path, ErrorHandler onError)
{
    stop();
    onError_ = std::move(onError);
    player_.setSource(QUrl::fromLocalFile(path));
    player_.play();
}

void MediaPlayer::playDevice(std::unique_ptr<QIODevice> device, ErrorHandler onError)
{
    stop();
    onError_ = std::move(onError);
    device_ = std::move(device);
    // The name tells the backend what kind of data the device holds.
    player_.setSourceDevice(device_.get(), QUrl(QStringLiteral("track.wav")));
    player_.play();
}

void MediaPlayer::stop()
{
    onError_ = nullptr;
    player_.stop();
    player_.setSource(QUrl());
    // The backend may still have a read queued for it.
    if (device_)
        device_.release()->deleteLater();
}

}  // namespace sonorelle
