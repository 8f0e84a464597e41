#pragma once

#include <QIcon>

namespace sonorelle {

// The pictures of the main window's commands: the desktop's icon theme where it has
// them, else our own drawings, so the window never shows an empty picture.
class CommandIcons {
public:
    enum class Picture { RunGame, Setup, About, Exit, MoveUp, MoveDown, Shuffle };

    static QIcon icon(Picture picture);
    // Our own drawing, at any size.
    static QIcon drawn(Picture picture);
};

}  // namespace sonorelle
