#pragma once

#include <QLabel>

namespace sonorelle {

// A picture or caption that acts as a command: a left click released over it raises
// Click. A caption made a keyboard command takes the focus, and Enter, Space or the
// access key its text marks with "&" raise Click too.
class ClickableImage : public QLabel {
    Q_OBJECT

public:
    explicit ClickableImage(QWidget* parent = nullptr);

    // Reachable by Tab, showing a focus frame while it has the focus.
    void makeKeyboardCommand();

signals:
    void Click();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace sonorelle
