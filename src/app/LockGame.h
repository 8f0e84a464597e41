#pragma once

#include "platform/GameLock.h"
#include "songdata/TextLookup.h"

namespace sonorelle {

class Feedback;

// Takes the lock of the game in gameDir for one change of its files, waiting as long
// as GameLock::waitMs() allows. When the lock is not had, the person is told that the
// game is busy and the returned lock is not held: the change must not be made.
GameLock LockGame(const QString& gameDir, Feedback& feedback, const TextLookup& texts);

}  // namespace sonorelle
