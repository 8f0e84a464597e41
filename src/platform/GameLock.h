#pragma once

#include <QString>

namespace sonorelle {

// Keeps the writers of one game apart across processes: the window and every
// sonorelle-cli take an exclusive flock on the game's lock file in the private
// runtime folder before they change its song list, archive or audio folder.
class GameLock {
public:
    // Waits up to waitMs for the lock of the game in gameDir. The lock is held when
    // isHeld(); otherwise another process kept it the whole time or error() says why.
    GameLock(const QString& gameDir, int waitMs);
    GameLock(GameLock&& other) noexcept;
    GameLock(const GameLock&) = delete;
    GameLock& operator=(const GameLock&) = delete;
    GameLock& operator=(GameLock&&) = delete;
    ~GameLock();

    bool isHeld() const { return fd_ >= 0; }
    const QString& error() const { return error_; }

    // The lock file of a game: the same for every spelling of its folder.
    static QString lockFilePath(const QString& runtimeDir, const QString& gameDir);
    // How long a writer waits: SONORELLE_LOCK_WAIT_MS when set, else ten seconds.
    static int waitMs();

private:
    int fd_ = -1;
    QString error_;
};

}  // namespace sonorelle
