#pragma once

#include <QIcon>

namespace sonorelle {

// The pictures of the main window's commands, drives and folders: the desktop's icon
// theme where it has them, else our own drawings, so the window never shows an empty
// picture. The style's stock pictures are not used: loading them starts every image
// format plugin installed, which cost more than the rest of the file browser's start.
class WindowIcons {
public:
    enum class Picture { RunGame, Setup, About, Exit, MoveUp, MoveDown, Shuffle, Home, Volume, CdUnit, Folder, OpenFolder };

    static QIcon icon(Picture picture);
    // Our own drawing, at any size.
    static QIcon drawn(Picture picture);
};

}  // namespace sonorelle
