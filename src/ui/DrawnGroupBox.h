#pragma once

#include <QGroupBox>

namespace sonorelle {

// A group box whose frame is drawn as a line, its caption by the style. The default style
// draws the frame from a picture file, and the first picture read loads every image
// format plugin installed: a cost the main window's start should not pay for a frame.
// The Setup dialog's frames are drawn the same way, to look like the main window's.
class DrawnGroupBox : public QGroupBox {
    Q_OBJECT

public:
    explicit DrawnGroupBox(QWidget* parent = nullptr);
    explicit DrawnGroupBox(const QString& title, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace sonorelle
