#include "ui/ClickableImage.h"

#include <QMouseEvent>

namespace sonorelle {

ClickableImage::ClickableImage(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickableImage::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event)
{
    // Like a button: pressing, then moving off before letting go, cancels the click.
    const bool clicked = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (clicked)
        emit Click();
}

}  // namespace sonorelle
