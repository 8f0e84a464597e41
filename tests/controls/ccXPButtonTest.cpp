#include "controls/ccXPButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace sonorelle {
namespace {

constexpr QRgb Red = 0xFF0000;
constexpr QRgb DisabledCaption = 0xA1A192;
constexpr QRgb WindowGreen = 0x00FF00;

// A shown, active, green window whose line edit holds the focus first, with one button.
class XPButtonInWindow : public testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->resize(200, 100);
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, QColor(WindowGreen));
        window->setPalette(palette);
        window->setAutoFillBackground(true);
        lineEdit = new QLineEdit(window.get());
        lineEdit->setGeometry(10, 60, 100, 25);
        button = new ccXPButton(QStringLiteral("&Go"), window.get());
        button->setGeometry(10, 10, 80, 25);
        window->show();
        lineEdit->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // The button as the window shows it, with whatever its corners let through.
    QImage Grabbed() const
    {
        return window->grab(button->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    }

    int CountOf(const QImage& image, QRgb colour) const
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += (image.pixel(x, y) & 0xFFFFFF) == colour && qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        return count;
    }

    QPoint Centre() const { return button->rect().center(); }

    std::unique_ptr<QWidget> window;
    QLineEdit* lineEdit = nullptr;
    ccXPButton* button = nullptr;
};

TEST(ccXPButtonAccessKey, FollowsTheFirstSingleAmpersand)
{
    const std::vector<std::pair<QString, QChar>> cases{
        {QStringLiteral("&OK"), u'o'},
        {QStringLiteral("Save &As"), u'a'},
        {QStringLiteral("Fish && Chips"), QChar()},
        {QStringLiteral("&&"), QChar()},
        {QStringLiteral("Ends in &"), QChar()},
        {QStringLiteral("A&&B &Chips"), u'c'},
        {QStringLiteral("&Play &Stop"), u'p'},
        {QStringLiteral("&\u00C9couter"), QChar(u'\u00E9')},
        {QString(), QChar()},
    };
    for (const auto& [caption, key] : cases)
        EXPECT_EQ(ccXPButton::AccessKeyOf(caption), key) << caption.toStdString();
}

TEST(ccXPButtonProperties, DefaultsAndNamedProperties)
{
    ccXPButton button;
    EXPECT_EQ(button.caption(), QStringLiteral("&OK"));
    EXPECT_EQ(button.accessKey(), u'o');
    EXPECT_EQ(button.foreColor(), QColor(Qt::black));
    EXPECT_TRUE(button.focusRect());
    EXPECT_TRUE(button.isEnabled());

    button.setProperty("Caption", QStringLiteral("&Play"));
    button.setProperty("ForeColor", QColor(Qt::red));
    button.setProperty("FocusRect", false);
    button.setProperty("Enabled", false);
    EXPECT_EQ(button.caption(), QStringLiteral("&Play"));
    EXPECT_EQ(button.text(), QStringLiteral("&Play"));
    EXPECT_EQ(button.accessKey(), u'p');
    EXPECT_EQ(button.shortcut(), QKeySequence(QStringLiteral("Alt+P")));
    EXPECT_EQ(button.foreColor(), QColor(Qt::red));
    EXPECT_FALSE(button.focusRect());
    EXPECT_EQ(button.state(), XPButtonState::Disabled);
}

TEST(ccXPButtonProperties, KeepsTheSmallestSizeAndRoundsItsCorners)
{
    ccXPButton button;
    button.resize(2, 3);
    EXPECT_EQ(button.size(), QSize(ccXPButton::MinimumExtent, ccXPButton::MinimumExtent));
    button.resize(75, 23);
    button.show();
    const QRegion outline = button.mask();
    int inside = 0;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 75; ++x)
            inside += outline.contains(QPoint(x, y)) ? 1 : 0;
    EXPECT_EQ(inside, 75 * 23 - 4);
    for (const QPoint corner : {QPoint(0, 0), QPoint(74, 0), QPoint(0, 22), QPoint(74, 22)})
        EXPECT_FALSE(outline.contains(corner)) << corner.x() << "," << corner.y();
    EXPECT_GE(button.sizeHint().width(), 75);
}

struct LookOfState {
    XPButtonState state;
    QRgb border;
    QRgb cornerA;
    QRgb cornerB;
    QRgb cornerC;
    QRgb flatFace;  // 0 for the gradient faces
};

class XPButtonLook : public XPButtonInWindow, public testing::WithParamInterface<LookOfState> {
protected:
    void Enter(XPButtonState state)
    {
        switch (state) {
        case XPButtonState::Disabled:
            button->setEnabled(false);
            break;
        case XPButtonState::Normal:
            break;
        case XPButtonState::Focused:
            button->setFocus();
            break;
        case XPButtonState::Hot:
            QTest::mouseMove(button, Centre());
            break;
        case XPButtonState::Pressed:
            QTest::mousePress(button, Qt::LeftButton, {}, Centre());
            break;
        }
        ASSERT_EQ(button->state(), state);
    }
};

TEST_P(XPButtonLook, BorderFaceCornersAndMask)
{
    const LookOfState& look = GetParam();
    Enter(look.state);
    const QImage image = Grabbed();
    const int w = image.width();
    const int h = image.height();
    ASSERT_EQ(QSize(w, h), QSize(80, 25));
    const auto at = [&](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };

    EXPECT_EQ(at(w / 2, 0), look.border);
    EXPECT_EQ(at(w / 2, h - 1), look.border);
    EXPECT_EQ(at(0, h / 2), look.border);
    EXPECT_EQ(at(w - 1, h / 2), look.border);

    // Every corner holds the same pattern, mirrored; its outermost pixel is cut
    // away and shows the window beneath.
    for (const auto& [x, y, dx, dy] : {std::array{0, 0, 1, 1}, std::array{w - 1, 0, -1, 1},
                                       std::array{0, h - 1, 1, -1}, std::array{w - 1, h - 1, -1, -1}}) {
        SCOPED_TRACE(testing::Message() << "corner " << x << "," << y);
        EXPECT_EQ(at(x, y), WindowGreen);
        EXPECT_EQ(at(x, y + dy), look.cornerB);
        EXPECT_EQ(at(x, y + 2 * dy), look.cornerA);
        EXPECT_EQ(at(x + dx, y), look.cornerB);
        EXPECT_EQ(at(x + dx, y + dy), look.cornerC);
        EXPECT_EQ(at(x + 2 * dx, y), look.cornerA);
    }

    // Column 6 stays clear of the caption and of the focus rectangle's dots.
    const QRgb faceTop = at(6, 3);
    const QRgb faceBottom = at(6, h - 4);
    if (look.flatFace == 0) {
        EXPECT_EQ(faceTop, 0xFCFCFBu);
        EXPECT_LT(qGray(faceBottom), qGray(faceTop));
    } else {
        EXPECT_EQ(faceTop, look.flatFace);
        EXPECT_EQ(faceBottom, look.flatFace);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryState, XPButtonLook, testing::Values(
    LookOfState{XPButtonState::Disabled, 0xC9C7BA, 0xC4B18C, 0xCEC7BD, 0xC4B18C, 0xF5F4EA},
    LookOfState{XPButtonState::Normal, 0x003C74, 0x215584, 0x7B96AD, 0x527DA5, 0},
    LookOfState{XPButtonState::Focused, 0x003C74, 0x215584, 0x7B96AD, 0x527DA5, 0},
    LookOfState{XPButtonState::Hot, 0x003C74, 0x215584, 0x7B96AD, 0x527DA5, 0},
    LookOfState{XPButtonState::Pressed, 0x003C74, 0x215584, 0x7B96AD, 0x527DA5, 0xE7E3DE}));

TEST_F(XPButtonInWindow, CaptionInForeColorWhenEnabledAndGreyWhenDisabled)
{
    QFont font = button->font();
    font.setPixelSize(14);
    font.setStyleStrategy(QFont::NoAntialias);
    button->setFont(font);
    button->setForeColor(QColor(Red));

    const QImage enabled = Grabbed();
    EXPECT_GT(CountOf(enabled, Red), 20);
    EXPECT_EQ(CountOf(enabled, DisabledCaption), 0);

    button->setEnabled(false);
    const QImage disabled = Grabbed();
    EXPECT_EQ(CountOf(disabled, Red), 0);
    EXPECT_EQ(CountOf(disabled, DisabledCaption), CountOf(enabled, Red));
}

TEST_F(XPButtonInWindow, FocusRectangleOnlyAboveTheNormalLook)
{
    const QRgb dot = 0xFCFCFB ^ 0xFFFFFF;
    button->setFocus();
    ASSERT_EQ(button->state(), XPButtonState::Focused);
    EXPECT_EQ(Grabbed().pixel(3, 3) & 0xFFFFFF, dot);

    button->setFocusRect(false);
    EXPECT_EQ(Grabbed().pixel(3, 3) & 0xFFFFFF, 0xFCFCFBu);
    button->setFocusRect(true);

    // Focused, but its window inactive: the normal look, without the rectangle.
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(button, &deactivate);
    ASSERT_EQ(button->state(), XPButtonState::Normal);
    ASSERT_TRUE(button->hasFocus());
    EXPECT_EQ(Grabbed().pixel(3, 3) & 0xFFFFFF, 0xFCFCFBu);
}

TEST_F(XPButtonInWindow, ClickOnReleaseInsideOnly)
{
    QSignalSpy clicks(button, &ccXPButton::Click);
    QTest::mouseMove(button, Centre());
    QTest::mousePress(button, Qt::LeftButton, {}, Centre());
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseRelease(button, Qt::LeftButton, {}, Centre());
    EXPECT_EQ(clicks.count(), 1);

    QTest::mousePress(button, Qt::LeftButton, {}, Centre());
    QTest::mouseMove(button, QPoint(120, 40));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(120, 40));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button->state(), XPButtonState::Focused);

    QTest::mousePress(button, Qt::RightButton, {}, Centre());
    QTest::mouseRelease(button, Qt::RightButton, {}, Centre());
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(XPButtonInWindow, ClickAlsoReachesQAbstractButtonUsers)
{
    QSignalSpy clicks(button, &ccXPButton::Click);
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    button->click();
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseClick(button, Qt::LeftButton, {}, Centre());
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicked.count(), 2);
}

TEST_F(XPButtonInWindow, DoubleClickClicksOnceAndReportsIt)
{
    QSignalSpy clicks(button, &ccXPButton::Click);
    QSignalSpy doubleClicks(button, &ccXPButton::DblClick);
    QTest::mouseMove(button, Centre());
    // What a widget sees of a double click: press, release, double click, release.
    QTest::mouseClick(button, Qt::LeftButton, {}, Centre());
    QTest::mouseDClick(button, Qt::LeftButton, {}, Centre());
    EXPECT_EQ(button->state(), XPButtonState::Pressed);
    QTest::mouseRelease(button, Qt::LeftButton, {}, Centre());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(button->state(), XPButtonState::Hot);
}

TEST_F(XPButtonInWindow, DisabledButtonDoesNotClick)
{
    QSignalSpy clicks(button, &ccXPButton::Click);
    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, Centre());
    QTest::keyClick(window.get(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(XPButtonInWindow, DisabledWithItsWindow)
{
    window->setEnabled(false);
    EXPECT_EQ(button->state(), XPButtonState::Disabled);
    window->setEnabled(true);
    EXPECT_EQ(button->state(), XPButtonState::Normal);
}

TEST_F(XPButtonInWindow, AccessKeyClicksFromAnywhereInTheWindow)
{
    QSignalSpy clicks(button, &ccXPButton::Click);
    ASSERT_TRUE(lineEdit->hasFocus());
    QTest::keyClick(window.get(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);

    button->setCaption(QStringLiteral("Fish && Chips"));
    QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(window.get(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);

    button->setCaption(QStringLiteral("Fish && &Chips"));
    QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(XPButtonInWindow, SpaceClicksOnReleaseAndAccessKeyCancelsIt)
{
    QSignalSpy clicks(button, &ccXPButton::Click);
    button->setFocus();
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_EQ(button->state(), XPButtonState::Pressed);
    // A held key repeats both press and release; only the last release counts.
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeatedRelease(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QKeyEvent repeatedPress(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QCoreApplication::sendEvent(button, &repeatedRelease);
        QCoreApplication::sendEvent(button, &repeatedPress);
    }
    EXPECT_EQ(clicks.count(), 0);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);

    QTest::keyPress(button, Qt::Key_Space);
    QTest::keyClick(window.get(), Qt::Key_G, Qt::AltModifier);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button->state(), XPButtonState::Focused);
}

TEST_F(XPButtonInWindow, EnterClicksAndArrowsMoveTheFocus)
{
    auto* second = new ccXPButton(QStringLiteral("&Stop"), window.get());
    second->setGeometry(100, 10, 80, 25);
    second->show();
    QSignalSpy clicks(button, &ccXPButton::Click);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);

    QTest::keyClick(button, Qt::Key_Right);
    EXPECT_TRUE(second->hasFocus());
    EXPECT_EQ(second->state(), XPButtonState::Focused);
    EXPECT_EQ(button->state(), XPButtonState::Normal);
    QTest::keyClick(second, Qt::Key_Up);
    EXPECT_TRUE(button->hasFocus());
}

TEST_F(XPButtonInWindow, ButtonShownLaterKnowsItsWindowIsActive)
{
    auto* late = new ccXPButton(QStringLiteral("&Late"), window.get());
    late->setGeometry(100, 10, 80, 25);
    late->show();
    QTest::mouseMove(late, late->rect().center());
    EXPECT_EQ(late->state(), XPButtonState::Hot);
}

}  // namespace
}  // namespace sonorelle
