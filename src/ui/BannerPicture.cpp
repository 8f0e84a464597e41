#include "ui/BannerPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
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

QFont BannerPicture::titleFont() const
{
    QFont title = font();
    title.setPointSizeF(title.pointSizeF() * 2.0);
    title.setBold(true);
    return title;
}

int BannerPicture::nameWidth() const
{
    return std::max(NameLeft + QFontMetrics(titleFont()).horizontalAdvance(QStringLiteral("Sonorelle")), WaveEnd);
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
    wave.moveTo(NameLeft, base);
    for (int x = NameLeft; x < WaveEnd; x += 4)
        wave.lineTo(x, base + 5 * std::sin(x / 9.0) * std::sin(x / 47.0));
    painter.setPen(QPen(QColor(0x7f, 0xc8, 0xf8, 170), 1.6));
    painter.drawPath(wave);

    painter.setFont(titleFont());
    painter.setPen(QColor(0xf2, 0xf5, 0xfa));
    painter.drawText(QRect(NameLeft, 0, nameWidth(), static_cast<int>(base) - 4), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Sonorelle"));
}

}  // namespace sonorelle
