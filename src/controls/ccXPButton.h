#pragma once

#include "controls/XPButtonStateMachine.h"

#include <QAbstractButton>
#include <QColor>
#include <QString>

namespace sonorelle {

// The program's push button: paints itself in five fixed looks (disabled, normal,
// focused, hot, pressed) with rounded corners, a centred caption whose "&" marks the
// access key ("&&" shows one ampersand) and an optional focus rectangle. Windows
// handle its Click signal; QAbstractButton's clicked() fires with it, and click()
// from code or accessibility tools raises Click too.
class ccXPButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(bool FocusRect READ focusRect WRITE setFocusRect)

public:
    // Smallest width and height: both rounded corners and a pixel of face between them.
    static constexpr int MinimumExtent = 7;

    explicit ccXPButton(QWidget* parent = nullptr);
    explicit ccXPButton(const QString& caption, QWidget* parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString& caption);
    // Lower case; null when the caption has no single "&" before a character.
    QChar accessKey() const { return AccessKeyOf(caption()); }
    static QChar AccessKeyOf(const QString& caption);

    QColor foreColor() const { return foreColor_; }
    void setForeColor(const QColor& colour);
    bool focusRect() const { return focusRect_; }
    void setFocusRect(bool shown);

    // Whether the holding window shows this button as its default button.
    bool displayAsDefault() const { return machine_.isDefault(); }
    void setDisplayAsDefault(bool isDefault);

    XPButtonState state() const { return machine_.state(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Click();
    void DblClick();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool showsFocusRect() const;
    bool pointerInside(const QMouseEvent* event) const;
    // Repaints when the look changed, then moves the focus or clicks as asked.
    void react(const XPButtonReaction& reaction);

    XPButtonStateMachine machine_;
    QColor foreColor_{Qt::black};
    bool focusRect_ = true;
    XPButtonState paintedState_ = XPButtonState::Normal;
    bool paintedFocusRect_ = false;
};

}  // namespace sonorelle
