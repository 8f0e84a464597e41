#pragma once

#include "audio/Player.h"

#include <QObject>

#include <memory>

class QAudioOutput;
class QIODevice;
class QMediaPlayer;

namespace sonorelle {

// The program's one player on Qt Multimedia: every play closes the previous file
// first, so pressing play again starts from the beginning.
class MediaPlayer : public QObject, public Player {
    Q_OBJECT

public:
    explicit MediaPlayer(QObject* parent = nullptr);
    ~MediaPlayer() override;

    void play(const QString& path, ErrorHandler onError) override;
    void playDevice(std::unique_ptr<QIODevice> device, ErrorHandler onError) override;
    bool playsDevice() const override { return device_ != nullptr; }
    void stop() override;

    // For watching what plays (state, position).
    QMediaPlayer& mediaPlayer();

private:
    // Before the player, so the player is gone before what it reads from.
    std::unique_ptr<QIODevice> device_;
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    ErrorHandler onError_;
};

}  // namespace sonorelle
