#include "ui/BannerPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace sonorelle {

BannerPicture::BannerPicture(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(false);
    // The labels on it are drawn light on the dark picture.
    QPalette light = palette();
    light.setColor(QPalette::WindowText, QColor(0xf2, 0xf5, 0xfa));
    setPalette(light);
}

void BannerPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, width(), height());
    sky.setColorAt(0.0, QColor(0x14, 0x2b, 0x4f));
    sky.setColorAt(1.0, QColor(0x2c, 0x6a, 0x9e));
    painter.fillRect(rect(), sky);

    // A sound wave under the name.
    QPainterPath wave;
    const double base = height() * 0.78;
    wave.moveTo(12, base);
    for (int x = 12; x < 190; x += 4)
        wave.lineTo(x, base + 5 * std::sin(x / 9.0) * std::sin(x / 47.0));
    painter.setPen(QPen(QColor(0x7f, 0xc8, 0xf8, 170), 1.6));
    painter.drawPath(wave);

    QFont title = font();
    title.setPointSizeF(title.pointSizeF() * 2.0);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(0xf2, 0xf5, 0xfa));
    painter.drawText(QRect(12, 0, width() / 2, static_cast<int>(base) - 4), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Sonorelle"));
}

}  // namespace sonorelle
