#include "controls/ccXPButton.h"

#include "controls/XPButtonPainter.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QShortcutEvent>

#include <algorithm>
#include <optional>

namespace sonorelle {

namespace {

std::optional<XPButtonKey> ButtonKeyOf(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        return XPButtonKey::Space;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return XPButtonKey::Enter;
    case Qt::Key_Left:
        return XPButtonKey::Left;
    case Qt::Key_Up:
        return XPButtonKey::Up;
    case Qt::Key_Right:
        return XPButtonKey::Right;
    case Qt::Key_Down:
        return XPButtonKey::Down;
    default:
        return std::nullopt;
    }
}

// Only the left button presses the button; the others pass on to the parent.
bool IsLeftButton(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        return true;
    event->ignore();
    return false;
}

QKeySequence AltSequenceOf(QChar key)
{
    if (key.isNull())
        return {};
    return QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.toUpper().unicode())));
}

}  // namespace

ccXPButton::ccXPButton(QWidget* parent) : ccXPButton(QStringLiteral("&OK"), parent) {}

ccXPButton::ccXPButton(const QString& caption, QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // Every move counts, not only those with a button held: hot tracking needs them.
    setMouseTracking(true);
    setMinimumSize(MinimumExtent, MinimumExtent);
    connect(this, &QAbstractButton::clicked, this, &ccXPButton::Click);
    setCaption(caption);
}

QChar ccXPButton::AccessKeyOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1).toLower();
        ++i;
    }
    return {};
}

void ccXPButton::setCaption(const QString& caption)
{
    setText(caption);
    // Ours, not the one setText derived, so the key drawn underlined is the key that clicks.
    setShortcut(AltSequenceOf(AccessKeyOf(caption)));
}

void ccXPButton::setForeColor(const QColor& colour)
{
    foreColor_ = colour;
    update();
}

void ccXPButton::setFocusRect(bool shown)
{
    focusRect_ = shown;
    if (machine_.hasFocus())
        update();
}

void ccXPButton::setDisplayAsDefault(bool isDefault)
{
    react(machine_.defaultChanged(isDefault));
}

QSize ccXPButton::sizeHint() const
{
    // The classic 75 x 23 dialog button, grown to fit a long caption.
    const QSize textSize = fontMetrics().size(Qt::TextSingleLine | Qt::TextShowMnemonic, text());
    return {std::max(75, textSize.width() + 16), std::max(23, textSize.height() + 8)};
}

QSize ccXPButton::minimumSizeHint() const
{
    return {MinimumExtent, MinimumExtent};
}

bool ccXPButton::showsFocusRect() const
{
    return focusRect_ && machine_.hasFocus() && machine_.state() > XPButtonState::Normal;
}

bool ccXPButton::pointerInside(const QMouseEvent* event) const
{
    return rect().contains(event->position().toPoint());
}

void ccXPButton::react(const XPButtonReaction& reaction)
{
    if (machine_.state() != paintedState_ || showsFocusRect() != paintedFocusRect_)
        update();
    if (reaction.focusMove != XPButtonFocusMove::Stay)
        focusNextPrevChild(reaction.focusMove == XPButtonFocusMove::Next);
    if (reaction.doubleClick)
        emit DblClick();
    // Last: the handler may close the window that holds this button.
    if (reaction.click)
        click();
}

bool ccXPButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Shortcut:
        // Two buttons sharing a key take turns at the focus instead of clicking.
        if (static_cast<QShortcutEvent*>(event)->isAmbiguous())
            setFocus(Qt::ShortcutFocusReason);
        else
            react(machine_.accessKeyPressed());
        return true;
    case QEvent::WindowActivate:
        react(machine_.windowActivated());
        break;
    case QEvent::WindowDeactivate:
        react(machine_.windowDeactivated());
        break;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

void ccXPButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    XPButtonPainter xpPainter(painter, size());
    xpPainter.paintFrame(machine_.state());
    xpPainter.paintCaption(text(), isEnabled() ? foreColor_ : XPButtonPainter::DisabledCaptionColour);
    if (showsFocusRect())
        xpPainter.paintFocusRect();
    paintedState_ = machine_.state();
    paintedFocusRect_ = showsFocusRect();
}

void ccXPButton::resizeEvent(QResizeEvent* event)
{
    setMask(XPButtonPainter::RoundedOutline(size()));
    QAbstractButton::resizeEvent(event);
}

void ccXPButton::showEvent(QShowEvent* event)
{
    QAbstractButton::showEvent(event);
    // Activation reaches visible widgets only; one shown later catches up here.
    if (isActiveWindow() != machine_.parentActive())
        react(isActiveWindow() ? machine_.windowActivated() : machine_.windowDeactivated());
}

void ccXPButton::changeEvent(QEvent* event)
{
    // Also sent when an ancestor is disabled or enabled.
    if (event->type() == QEvent::EnabledChange)
        react(machine_.enabledChanged(isEnabled()));
    QAbstractButton::changeEvent(event);
}

void ccXPButton::enterEvent(QEnterEvent* event)
{
    react(machine_.pointerMoved(true));
    QAbstractButton::enterEvent(event);
}

void ccXPButton::leaveEvent(QEvent* event)
{
    react(machine_.mouseLeft());
    QAbstractButton::leaveEvent(event);
}

void ccXPButton::mouseMoveEvent(QMouseEvent* event)
{
    react(machine_.pointerMoved(pointerInside(event)));
}

void ccXPButton::mousePressEvent(QMouseEvent* event)
{
    if (IsLeftButton(event))
        react(machine_.leftButtonDown());
}

void ccXPButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!IsLeftButton(event))
        return;
    // The release point decides, even when no move reported the last stretch.
    react(machine_.pointerMoved(pointerInside(event)));
    react(machine_.leftButtonUp());
}

void ccXPButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (IsLeftButton(event))
        react(machine_.leftDoubleClick());
}

void ccXPButton::keyPressEvent(QKeyEvent* event)
{
    const std::optional<XPButtonKey> key = ButtonKeyOf(event);
    if (!key) {
        QAbstractButton::keyPressEvent(event);
        return;
    }
    react(machine_.keyDown(*key));
}

void ccXPButton::keyReleaseEvent(QKeyEvent* event)
{
    const std::optional<XPButtonKey> key = ButtonKeyOf(event);
    if (!key) {
        QAbstractButton::keyReleaseEvent(event);
        return;
    }
    // A held space bar repeats releases too; only the real one ends the press.
    if (!event->isAutoRepeat())
        react(machine_.keyUp(*key));
}

void ccXPButton::focusInEvent(QFocusEvent* event)
{
    react(machine_.focusIn());
    QAbstractButton::focusInEvent(event);
}

void ccXPButton::focusOutEvent(QFocusEvent* event)
{
    react(machine_.focusOut());
    QAbstractButton::focusOutEvent(event);
}

}  // namespace sonorelle
