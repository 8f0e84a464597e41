#pragma once

#include <QString>

#include <functional>

namespace sonorelle {

// The program's one media player, as the core sees it. The window supplies one on
// Qt Multimedia; the command line has none.
class Player {
public:
    using ErrorHandler = std::function<void(const QString& errorText)>;

    virtual ~Player() = default;
    // Closes whatever plays, then opens path and plays it from the start. A file the
    // player cannot open is reported through onError, possibly after play returned.
    virtual void play(const QString& path, ErrorHandler onError) = 0;
    // Stops and closes; safe when nothing plays.
    virtual void stop() = 0;
};

}  // namespace sonorelle
