#include "ui/ClickableImage.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace sonorelle {

ClickableImage::ClickableImage(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickableImage::makeKeyboardCommand()
{
    setFocusPolicy(Qt::StrongFocus);
    // A label shows and registers its access key only for a buddy: it is its own.
    setBuddy(this);
}

bool ClickableImage::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        setFocus(Qt::ShortcutFocusReason);
        emit Click();
        return true;
    }
    return QLabel::event(event);
}

void ClickableImage::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (focusPolicy() != Qt::NoFocus && event->modifiers() == Qt::NoModifier
        && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        emit Click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickableImage::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(foregroundRole()), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
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
