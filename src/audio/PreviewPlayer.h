#pragma once

#include <QString>

namespace sonorelle {

class Feedback;
class Player;

// Preview playback of files and decoded songs through the program's one player.
// Without a player (the command line) both calls do nothing.
class PreviewPlayer {
public:
    explicit PreviewPlayer(Feedback& feedback);

    // The player must outlive its use here; nullptr removes it.
    void setPlayer(Player* player) { player_ = player; }

    // Closes what plays, then plays path. A missing file plays nothing, silently; a
    // file the player cannot open gives the player's error text in a critical message.
    void MciPlayFile(const QString& path);
    void MciStopFile();

private:
    Feedback& feedback_;
    Player* player_ = nullptr;
};

}  // namespace sonorelle
