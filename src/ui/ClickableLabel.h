#pragma once

#include <QLabel>

namespace sonorelle {

// A label (picture or text) that acts as a command: it shows the hand cursor and
// emits clicked() when released over itself with the left button.
class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace sonorelle
