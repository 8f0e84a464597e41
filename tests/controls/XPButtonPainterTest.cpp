#include "controls/XPButtonPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

// Never used by the button, so untouched pixels stand out.
constexpr QRgb Untouched = 0xFFFF00FF;

QImage Painted(XPButtonState state, QSize size, bool focusRect = false)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Untouched);
    QPainter painter(&image);
    XPButtonPainter xpPainter(painter, size);
    xpPainter.paintFrame(state);
    if (focusRect)
        xpPainter.paintFocusRect();
    return image;
}

QRgb At(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

struct RimColours {
    XPButtonState state;
    QRgb inner1, inner2, inner3, inner4, frameTop;
};

class XPButtonGradientFace : public testing::TestWithParam<RimColours> {};

TEST_P(XPButtonGradientFace, RimRowsAndFaceGradient)
{
    const RimColours& expected = GetParam();
    const int h = 23;
    const QImage image = Painted(expected.state, {40, h});

    EXPECT_EQ(At(image, 20, 1), expected.inner1);
    EXPECT_EQ(At(image, 20, 2), expected.inner2);
    EXPECT_EQ(At(image, 20, h - 3), expected.inner3);
    EXPECT_EQ(At(image, 20, h - 2), expected.inner4);
    EXPECT_EQ(At(image, 1, 3), expected.frameTop);
    EXPECT_EQ(At(image, 38, 3), expected.frameTop);

    // The face darkens from its top colour downwards, every channel, never rising.
    EXPECT_EQ(At(image, 20, 3), 0xFCFCFBu);
    for (int y = 4; y <= h - 4; ++y) {
        const QRgb above = At(image, 20, y - 1);
        const QRgb here = At(image, 20, y);
        EXPECT_LE(qRed(here), qRed(above)) << y;
        EXPECT_LE(qGreen(here), qGreen(above)) << y;
        EXPECT_LE(qBlue(here), qBlue(above)) << y;
    }
    EXPECT_NE(At(image, 20, h - 4), At(image, 20, 3));
}

INSTANTIATE_TEST_SUITE_P(GradientStates, XPButtonGradientFace, testing::Values(
    RimColours{XPButtonState::Normal, 0xFFFFFF, 0xFEFEFE, 0xE2DFD6, 0xD6D0C5, 0xFCFCFB},
    RimColours{XPButtonState::Focused, 0xCEE7FF, 0xBDD7F7, 0x8CAEE7, 0x6B82EF, 0xBDD3F7},
    RimColours{XPButtonState::Hot, 0xFFF3CE, 0xFFDB8C, 0xFFB231, 0xE69600, 0xE1DF9C}));

TEST(XPButtonGradientFace, RoundsHalvesToEven)
{
    // 32 rows from #ECEBE6 up to #FCFCFB: the row above the bottom one lies half a
    // step of red above #EC, which stays #EC.
    const QImage image = Painted(XPButtonState::Normal, {40, 38});
    EXPECT_EQ(At(image, 20, 34), 0xECECE7u);
}

TEST(XPButtonFrame, TinySizesPaintWithoutFailing)
{
    for (int w = 1; w <= 8; ++w)
        for (int h = 1; h <= 8; ++h)
            for (const XPButtonState state : {XPButtonState::Disabled, XPButtonState::Normal, XPButtonState::Pressed})
                Painted(state, {w, h}, true);
    const QImage smallest = Painted(XPButtonState::Hot, {7, 7});
    EXPECT_EQ(At(smallest, 3, 0), 0x003C74u);
    EXPECT_EQ(At(smallest, 3, 3), 0xFCFCFBu);
}

TEST(XPButtonFocusRect, InvertsEveryOtherPixelAroundTheCaptionArea)
{
    const int w = 40;
    const int h = 23;
    const QImage plain = Painted(XPButtonState::Focused, {w, h});
    const QImage dotted = Painted(XPButtonState::Focused, {w, h}, true);
    const auto inverted = [&](int x, int y) { return dotted.pixel(x, y) == (plain.pixel(x, y) ^ 0xFFFFFF); };

    EXPECT_TRUE(inverted(3, 3));
    EXPECT_EQ(dotted.pixel(4, 3), plain.pixel(4, 3));
    EXPECT_TRUE(inverted(5, 3));
    EXPECT_TRUE(inverted(3, h - 4));
    EXPECT_TRUE(inverted(w - 4, 4));
    EXPECT_EQ(dotted.pixel(w - 4, 5), plain.pixel(w - 4, 5));
    EXPECT_EQ(dotted.pixel(20, 10), plain.pixel(20, 10));
    EXPECT_EQ(dotted.pixel(2, 3), plain.pixel(2, 3));
    EXPECT_EQ(dotted.pixel(w - 3, 5), plain.pixel(w - 3, 5));
}

TEST(XPButtonFocusRect, OneRowHighRectangleKeepsItsDots)
{
    const QImage plain = Painted(XPButtonState::Focused, {7, 7});
    const QImage dotted = Painted(XPButtonState::Focused, {7, 7}, true);
    EXPECT_EQ(dotted.pixel(3, 3), plain.pixel(3, 3) ^ 0xFFFFFF);
}

}  // namespace
}  // namespace sonorelle
