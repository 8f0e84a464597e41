#pragma once

#include "ui/BannerPicture.h"

#include <QList>

namespace sonorelle {

class ClickableImage;

// The banner across the top of the main window with its four image commands, each a
// picture and a caption that both react to a click.
class Banner : public BannerPicture {
    Q_OBJECT

public:
    explicit Banner(QWidget* parent = nullptr);

    // The captions, which take the keyboard for their commands, left to right.
    QList<QWidget*> commandsInTabOrder() const;

signals:
    void runGame();
    void openSetup();
    void openAbout();
    void exitProgram();

private:
    QList<QWidget*> captions_;
};

}  // namespace sonorelle
