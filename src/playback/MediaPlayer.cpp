#include "playback/MediaPlayer.h"

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

void MediaPlayer::stop()
{
    onError_ = nullptr;
    player_.stop();
    player_.setSource(QUrl());
}

}  // namespace sonorelle
