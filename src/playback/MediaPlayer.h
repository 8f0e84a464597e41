#pragma once

#include "audio/Player.h"

#include <QObject>

#include <memory>

class QAudioOutput;
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
    void stop() override;

    // For watching what plays (state, position).
    QMediaPlayer& mediaPlayer();

private:
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    ErrorHandler onError_;
};

}  // namespace sonorelle
