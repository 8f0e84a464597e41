#pragma once

#include <QWidget>

namespace sonorelle {

// The banner across the top of the main window: a painted picture with the
// program's name that holds the window's image commands.
class BannerPicture : public QWidget {
    Q_OBJECT

public:
    explicit BannerPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace sonorelle
