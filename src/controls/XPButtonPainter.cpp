#include "controls/XPButtonPainter.h"

#include <QPainter>

#include <array>
#include <cmath>

namespace sonorelle {

namespace {

struct StateColours {
    QRgb border;
    QRgb inner1;       // row 1
    QRgb inner2;       // row 2
    QRgb inner3;       // row H-3, gradient faces only
    QRgb inner4;       // row H-2, gradient faces only
    QRgb cornerA;
    QRgb cornerB;
    QRgb cornerC;
    QRgb frameTop;     // coloured rim of the gradient faces
    QRgb frameBottom;
};

constexpr QRgb Unused = 0;

// Indexed by XPButtonState.
constexpr std::array<StateColours, 5> ColourTable{{
    {0xC9C7BA, 0xF7F7EF, 0xF7F7EF, Unused, Unused, 0xC4B18C, 0xCEC7BD, 0xC4B18C, Unused, Unused},
    {0x003C74, 0xFFFFFF, 0xFEFEFE, 0xE2DFD6, 0xD6D0C5, 0x215584, 0x7B96AD, 0x527DA5, 0xFCFCFB, 0xECEBE6},
    {0x003C74, 0xCEE7FF, 0xBDD7F7, 0x8CAEE7, 0x6B82EF, 0x215584, 0x7B96AD, 0x527DA5, 0xBDD3F7, 0x8CAEE7},
    {0x003C74, 0xFFF3CE, 0xFFDB8C, 0xFFB231, 0xE69600, 0x215584, 0x7B96AD, 0x527DA5, 0xE1DF9C, 0xFFB630},
    {0x003C74, 0xE7E3DE, 0xE7E3DE, Unused, Unused, 0x215584, 0x7B96AD, 0x527DA5, Unused, Unused},
}};

constexpr QRgb DisabledFace = 0xF5F4EA;
constexpr QRgb PressedFace = 0xE7E3DE;
constexpr QRgb FaceTop = 0xFCFCFB;
constexpr QRgb FaceBottom = 0xECEBE6;

// Ties go to the even neighbour, so a gradient's rows land on the same values everywhere.
int ChannelAt(int bottom, double step, int row)
{
    return static_cast<int>(std::nearbyint(bottom + step * row));
}

}  // namespace

const QColor XPButtonPainter::DisabledCaptionColour{0xA1, 0xA1, 0x92};

XPButtonPainter::XPButtonPainter(QPainter& painter, QSize size)
    : painter_(painter), width_(size.width()), height_(size.height())
{
}

void XPButtonPainter::line(int x1, int y1, int x2, int y2, QRgb colour)
{
    fill(y1 == y2 ? QRect(x1, y1, x2 - x1, 1) : QRect(x1, y1, 1, y2 - y1), colour);
}

void XPButtonPainter::pixel(int x, int y, QRgb colour)
{
    fill(QRect(x, y, 1, 1), colour);
}

void XPButtonPainter::fill(const QRect& area, QRgb colour)
{
    // Lines of reversed or zero length on a button too small for them draw nothing.
    if (!area.isEmpty())
        painter_.fillRect(area, QColor(colour));
}

void XPButtonPainter::verticalGradient(int left, int top, int right, int bottom, QRgb topColour,
                                       QRgb bottomColour)
{
    const int height = bottom - top;
    if (height <= 0)
        return;
    const double redStep = double(qRed(topColour) - qRed(bottomColour)) / height;
    const double greenStep = double(qGreen(topColour) - qGreen(bottomColour)) / height;
    const double blueStep = double(qBlue(topColour) - qBlue(bottomColour)) / height;
    for (int row = 0; row <= height; ++row) {
        const QRgb colour = qRgb(ChannelAt(qRed(bottomColour), redStep, row),
                                 ChannelAt(qGreen(bottomColour), greenStep, row),
                                 ChannelAt(qBlue(bottomColour), blueStep, row));
        line(left, bottom - row, right, bottom - row, colour);
    }
}

void XPButtonPainter::paintFrame(XPButtonState state)
{
    const StateColours& colours = ColourTable.at(static_cast<std::size_t>(state));
    const int w = width_;
    const int h = height_;

    line(3, 0, w - 3, 0, colours.border);
    line(0, 3, 0, h - 3, colours.border);
    line(3, h - 1, w - 3, h - 1, colours.border);
    line(w - 1, 3, w - 1, h - 3, colours.border);

    if (state == XPButtonState::Disabled || state == XPButtonState::Pressed) {
        const QRgb face = state == XPButtonState::Disabled ? DisabledFace : PressedFace;
        fill(QRect(1, 1, w - 2, h - 2), face);
    } else {
        verticalGradient(1, 3, w - 1, h - 2, colours.frameTop, colours.frameBottom);
        verticalGradient(3, 3, w - 3, h - 3, FaceTop, FaceBottom);
        line(1, 1, w, 1, colours.inner1);
        line(1, 2, w, 2, colours.inner2);
        line(1, h - 3, w, h - 3, colours.inner3);
        line(2, h - 2, w - 1, h - 2, colours.inner4);
    }

    // Each corner, seen from its own side: the same three colours in the same places.
    const auto corner = [&](int x, int y, int dx, int dy) {
        pixel(x, y + dy, colours.cornerB);
        pixel(x, y + 2 * dy, colours.cornerA);
        pixel(x + dx, y, colours.cornerB);
        pixel(x + dx, y + dy, colours.cornerC);
        pixel(x + 2 * dx, y, colours.cornerA);
    };
    corner(0, 0, 1, 1);
    corner(w - 1, 0, -1, 1);
    corner(0, h - 1, 1, -1);
    corner(w - 1, h - 1, -1, -1);
}

void XPButtonPainter::paintCaption(const QString& caption, const QColor& colour)
{
    painter_.setPen(colour);
    painter_.drawText(QRect(3, 3, width_ - 6, height_ - 6),
                      Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
}

void XPButtonPainter::paintFocusRect()
{
    // A hairline at any scale: dots of one device pixel, every other one, placed on
    // the device pixels that the face's edge columns and rows cover.
    const QTransform toDevice = painter_.deviceTransform();
    const QPoint topLeft = toDevice.map(QPointF(3, 3)).toPoint();
    const QPoint bottomRight = toDevice.map(QPointF(width_ - 3, height_ - 3)).toPoint() - QPoint(1, 1);
    const int left = topLeft.x();
    const int top = topLeft.y();
    const int right = bottomRight.x();
    const int bottom = bottomRight.y();
    if (right < left || bottom < top)
        return;
    painter_.save();
    painter_.setWorldTransform(toDevice.inverted(), true);
    painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0)
            pixel(x, y, 0xFFFFFF);
    };
    // XOR twice would wipe a dot out, so a one-pixel-thin rectangle draws each once.
    for (int x = left; x <= right; ++x) {
        dot(x, top);
        if (bottom != top)
            dot(x, bottom);
    }
    for (int y = top + 1; y < bottom; ++y) {
        dot(left, y);
        if (right != left)
            dot(right, y);
    }
    painter_.restore();
}

QRegion XPButtonPainter::RoundedOutline(QSize size)
{
    const int w = size.width();
    const int h = size.height();
    QRegion outline(0, 0, w, h);
    for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        outline -= QRegion(corner.x(), corner.y(), 1, 1);
    return outline;
}

}  // namespace sonorelle
