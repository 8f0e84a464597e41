#include "ui/DrawnGroupBox.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace sonorelle {

DrawnGroupBox::DrawnGroupBox(QWidget* parent)
    : QGroupBox(parent)
{
}

DrawnGroupBox::DrawnGroupBox(const QString& title, QWidget* parent)
    : QGroupBox(title, parent)
{
}

void DrawnGroupBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect frame = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, this);
    option.subControls &= ~QStyle::SC_GroupBoxFrame;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRoundedRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

}  // namespace sonorelle
