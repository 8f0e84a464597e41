#pragma once

#include "ui/BannerPicture.h"

namespace sonorelle {

class ClickableImage;

// The banner across the top of the main window with its four image commands, each a
// picture and a caption that both react to a click.
class Banner : public BannerPicture {
    Q_OBJECT

public:
    explicit Banner(QWidget* parent = nullptr);

signals:
    void runGame();
    void openSetup();
    void openAbout();
    void exitProgram();
};

}  // namespace sonorelle
