#pragma once

#include "controls/XPButtonState.h"

#include <QColor>
#include <QRegion>
#include <QSize>
#include <QString>

class QPainter;

namespace sonorelle {

// Draws the push button's looks with fixed colours, pixel by pixel in a 96-dpi
// geometry; the painter's own scale carries it to high-dpi screens.
class XPButtonPainter {
public:
    static const QColor DisabledCaptionColour;

    XPButtonPainter(QPainter& painter, QSize size);

    // Border, face and the corner pixels that smooth the rounded outline.
    void paintFrame(XPButtonState state);
    void paintCaption(const QString& caption, const QColor& colour);
    // Dotted and inverting, so it shows on every face.
    void paintFocusRect();

    // The window's outline: the rectangle without its four corner pixels.
    static QRegion RoundedOutline(QSize size);

private:
    // Horizontal or vertical line from (x1,y1) up to, not including, (x2,y2).
    void line(int x1, int y1, int x2, int y2, QRgb colour);
    void pixel(int x, int y, QRgb colour);
    void fill(const QRect& area, QRgb colour);
    void verticalGradient(int left, int top, int right, int bottom, QRgb topColour, QRgb bottomColour);

    QPainter& painter_;
    int width_;
    int height_;
};

}  // namespace sonorelle
