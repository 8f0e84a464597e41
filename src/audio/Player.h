#pragma once

#include <QString>

#include <functional>
#include <memory>

class QIODevice;

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
    // The same for WAV data read from device (open for reading) as the player needs
    // it, so playing starts before the data is all there. The player keeps device
    // until the next play or stop.
    virtual void playDevice(std::unique_ptr<QIODevice> device, ErrorHandler onError) = 0;
    // Whether what plays (or stands open) came from playDevice.
    virtual bool playsDevice() const = 0;
    // Stops and closes; safe when nothing plays.
    virtual void stop() = 0;
};

}  // namespace sonorelle
