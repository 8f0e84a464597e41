#pragma once

#include <QLabel>

namespace sonorelle {

// A picture that acts as a command: a left click released over it raises Click.
class ClickableImage : public QLabel {
    Q_OBJECT

public:
    explicit ClickableImage(QWidget* parent = nullptr);

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace sonorelle
