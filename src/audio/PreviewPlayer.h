#pragma once

#include <QString>

#include <memory>

class QIODevice;

namespace sonorelle {

class Feedback;
class Player;

// Preview playback of files and decoded songs through the program's one player.
// Without a player (the command line) every call does nothing.
class PreviewPlayer {
public:
    explicit PreviewPlayer(Feedback& feedback);

    // The player must outlive its use here; nullptr removes it.
    void setPlayer(Player* player) { player_ = player; }

    // Closes what plays, then plays path. A missing file plays nothing, silently; a
    // file the player cannot open gives the player's error text in a critical message.
    void MciPlayFile(const QString& path);
    void MciStopFile();

    // Plays WAV data as it is read from stream (a CD track); an error of the player
    // comes in a critical message.
    void playStream(std::unique_ptr<QIODevice> stream);
    // Stops only what playStream started; a file that plays goes on.
    void stopStream();

private:
    void reportError(const QString& errorText);

    Feedback& feedback_;
    Player* player_ = nullptr;
};

}  // namespace sonorelle
