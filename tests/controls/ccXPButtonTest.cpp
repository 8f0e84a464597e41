#include "controls/XPButtonPainter.h"
#include "controls/XPButtonStateMachine.h"
#include "controls/ccXPButton.h"
#include "support/NamedRows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace sonorelle {
namespace {

using test::PrintTo;
using Machine = XPButtonStateMachine;
using Input = XPButtonReaction (*)(Machine&);

constexpr Input Activate = [](Machine& m) { return m.windowActivated(); };
constexpr Input Deactivate = [](Machine& m) { return m.windowDeactivated(); };
constexpr Input MoveIn = [](Machine& m) { return m.pointerMoved(true); };
constexpr Input MoveOut = [](Machine& m) { return m.pointerMoved(false); };
constexpr Input Leave = [](Machine& m) { return m.mouseLeft(); };
constexpr Input Down = [](Machine& m) { return m.leftButtonDown(); };
constexpr Input Up = [](Machine& m) { return m.leftButtonUp(); };
constexpr Input DoubleClick = [](Machine& m) { return m.leftDoubleClick(); };
constexpr Input SpaceDown = [](Machine& m) { return m.keyDown(XPButtonKey::Space); };
constexpr Input SpaceUp = [](Machine& m) { return m.keyUp(XPButtonKey::Space); };
constexpr Input EnterKey = [](Machine& m) { return m.keyDown(XPButtonKey::Enter); };
constexpr Input AccessKey = [](Machine& m) { return m.accessKeyPressed(); };
constexpr Input FocusIn = [](Machine& m) { return m.focusIn(); };
constexpr Input FocusOut = [](Machine& m) { return m.focusOut(); };
constexpr Input Disable = [](Machine& m) { return m.enabledChanged(false); };
constexpr Input Enable = [](Machine& m) { return m.enabledChanged(true); };
constexpr Input MakeDefault = [](Machine& m) { return m.defaultChanged(true); };
constexpr Input ClearDefault = [](Machine& m) { return m.defaultChanged(false); };

struct Scenario {
    std::string name;
    std::vector<Input> inputs;
    XPButtonState finalState;
    int clicks;
};

class XPButtonScenario : public testing::TestWithParam<Scenario> {};

TEST_P(XPButtonScenario, EndsInStateWithClicks)
{
    Machine machine;
    int clicks = 0;
    for (const Input input : GetParam().inputs)
        clicks += input(machine).click ? 1 : 0;
    EXPECT_EQ(machine.state(), GetParam().finalState);
    EXPECT_EQ(clicks, GetParam().clicks);
}

using S = XPButtonState;

INSTANTIATE_TEST_SUITE_P(Edges, XPButtonScenario, testing::Values(
    // Mouse
    Scenario{"ReleaseInsideClicks", {Activate, MoveIn, Down, Up}, S::Hot, 1},
    Scenario{"PressShowsPressed", {Activate, MoveIn, Down}, S::Pressed, 0},
    Scenario{"ReleaseOutsideDoesNotClick", {Activate, MoveIn, Down, MoveOut, Up}, S::Focused, 0},
    Scenario{"BackInsidePressedAgainAndClicks", {Activate, MoveIn, Down, MoveOut, MoveIn, Up}, S::Hot, 1},
    Scenario{"ReleaseWithoutPressDoesNotClick", {Activate, MoveIn, Up}, S::Hot, 0},
    Scenario{"SecondPressOfDoubleClickDoesNotClick", {Activate, MoveIn, Down, Up, DoubleClick, Up}, S::Hot, 1},
    Scenario{"ReleaseInInactiveWindowDoesNotStayPressed", {MoveIn, Down, Up}, S::Normal, 1},
    // Keyboard
    Scenario{"SpacePressAndReleaseClicks", {Activate, FocusIn, SpaceDown, SpaceUp}, S::Focused, 1},
    Scenario{"SpaceReleaseUnderPointerShowsHot", {Activate, MoveIn, FocusIn, SpaceDown, SpaceUp}, S::Hot, 1},
    Scenario{"SpaceIgnoredWhileMouseHeld", {Activate, MoveIn, Down, SpaceDown, Up, SpaceUp}, S::Hot, 1},
    Scenario{"SpaceKeepsPressedLookWhilePointerMoves", {Activate, FocusIn, SpaceDown, MoveIn, MoveOut}, S::Pressed, 0},
    Scenario{"EnterClicks", {Activate, FocusIn, EnterKey}, S::Focused, 1},
    Scenario{"AccessKeyClicks", {Activate, AccessKey}, S::Normal, 1},
    Scenario{"AccessKeyCancelsSpacePress", {Activate, FocusIn, SpaceDown, AccessKey, SpaceUp}, S::Focused, 0},
    Scenario{"AccessKeyClicksAfterSpacePressLostFocus", {Activate, FocusIn, SpaceDown, FocusOut, AccessKey}, S::Normal, 1},
    // The window that holds the button
    Scenario{"DeactivationDuringMousePressNeitherClicksNorStaysPressed", {Activate, MoveIn, Down, Deactivate, Up}, S::Normal, 0},
    Scenario{"ActivationRestoresFocusedLook", {FocusIn, Deactivate, Activate}, S::Focused, 0},
    Scenario{"ActivationUnderPointerShowsHot", {MoveIn, Activate}, S::Hot, 0},
    Scenario{"ActivationShowsDefaultButton", {MakeDefault, Deactivate, Activate}, S::Focused, 0},
    Scenario{"HoverInInactiveWindowChangesNothing", {MoveIn}, S::Normal, 0},
    Scenario{"FocusLossInInactiveWindowShowsNormal", {MakeDefault, FocusIn, FocusOut}, S::Normal, 0},
    // Hover, focus and default
    Scenario{"LeaveShowsNormal", {Activate, MoveIn, Leave}, S::Normal, 0},
    Scenario{"LeaveOfFocusedShowsFocused", {Activate, FocusIn, MoveIn, Leave}, S::Focused, 0},
    Scenario{"LeaveWhileArmedShowsFocused", {Activate, MoveIn, Down, Leave}, S::Focused, 0},
    Scenario{"LeaveAfterDoubleClickPressShowsNormal", {Activate, MoveIn, Down, Up, DoubleClick, Leave}, S::Normal, 1},
    Scenario{"LeaveDuringSpacePressKeepsPressed", {Activate, MoveIn, FocusIn, SpaceDown, Leave}, S::Pressed, 0},
    Scenario{"FocusUnderPointerStaysHot", {Activate, MoveIn, FocusIn}, S::Hot, 0},
    Scenario{"FocusLossShowsNormal", {Activate, FocusIn, FocusOut}, S::Normal, 0},
    Scenario{"FocusLossUnderPointerShowsHot", {Activate, FocusIn, MoveIn, FocusOut}, S::Hot, 0},
    Scenario{"FocusLossOfDefaultShowsFocused", {Activate, MakeDefault, FocusIn, FocusOut}, S::Focused, 0},
    Scenario{"DefaultShowsFocused", {Activate, MakeDefault}, S::Focused, 0},
    Scenario{"DefaultClearedShowsNormal", {Activate, MakeDefault, ClearDefault}, S::Normal, 0},
    Scenario{"DefaultUnderPointerStaysHot", {Activate, MoveIn, MakeDefault}, S::Hot, 0},
    // Enabling
    Scenario{"DisabledIgnoresMouse", {Activate, Disable, MoveIn, Down, Up, DoubleClick, Leave}, S::Disabled, 0},
    Scenario{"DisabledIgnoresKeys", {Activate, FocusIn, Disable, SpaceDown, SpaceUp, EnterKey, AccessKey}, S::Disabled, 0},
    Scenario{"DisabledIgnoresFocusActivationAndDefault", {Disable, FocusIn, Activate, MakeDefault, FocusOut}, S::Disabled, 0},
    Scenario{"DisablingCancelsMousePress", {Activate, MoveIn, Down, Disable, Enable, Up}, S::Hot, 0},
    Scenario{"EnabledShowsNormal", {Activate, Disable, Enable}, S::Normal, 0},
    Scenario{"EnabledUnderPointerShowsHot", {Activate, Disable, MoveIn, Enable}, S::Hot, 0},
    Scenario{"EnabledDefaultShowsFocused", {Activate, MakeDefault, Disable, Enable}, S::Focused, 0}),
    [](const testing::TestParamInfo<Scenario>& row) { return row.param.name; });

constexpr QRgb Red = 0xFF0000;
constexpr QRgb DisabledCaption = 0xA1A192;
constexpr QRgb WindowGreen = 0x00FF00;
constexpr QRgb FaceTop = 0xFCFCFB;

QRgb Rgb(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

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
        clicks = std::make_unique<QSignalSpy>(button, &ccXPButton::Click);
        // Away from where the last test left it before the window shows: a pointer over
        // the button when it shows enters it, and moving on does not always leave it.
        QTest::mouseMove(lineEdit, lineEdit->rect().center());
        window->show();
        lineEdit->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // The button as the window shows it, with whatever its corners let through.
    QImage Grabbed() const { return window->grab(button->geometry()).toImage().convertToFormat(QImage::Format_RGB32); }

    static int CountOf(const QImage& image, QRgb colour)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += Rgb(image, x, y) == colour ? 1 : 0;
        return count;
    }

    QPoint Centre() const { return button->rect().center(); }
    void AltKey(Qt::Key key) const { QTest::keyClick(window.get(), key, Qt::AltModifier); }

    std::unique_ptr<QWidget> window;
    QLineEdit* lineEdit = nullptr;
    ccXPButton* button = nullptr;
    std::unique_ptr<QSignalSpy> clicks;
};

TEST(ccXPButtonAccessKey, FollowsTheFirstSingleAmpersand)
{
    const std::pair<QString, QChar> cases[] = {
        {QStringLiteral("&OK"), u'o'}, {QStringLiteral("Save &As"), u'a'}, {QStringLiteral("Fish && Chips"), QChar()},
        {QStringLiteral("&&"), QChar()}, {QStringLiteral("Ends in &"), QChar()}, {QStringLiteral("A&&B &Chips"), u'c'},
        {QStringLiteral("&Play &Stop"), u'p'}, {QStringLiteral("&\u00C9couter"), QChar(u'\u00E9')}, {QString(), QChar()},
    };
    for (const auto& [caption, key] : cases)
        EXPECT_EQ(ccXPButton::AccessKeyOf(caption), key) << caption.toStdString();
}

TEST(XPButtonPainter, TheSmallestButtonPaintsItsFrameAndKeepsItsFocusDot)
{
    const auto painted = [](XPButtonState state, int w, int h, bool focusRect) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        XPButtonPainter xpPainter(painter, {w, h});
        xpPainter.paintFrame(state);
        if (focusRect)
            xpPainter.paintFocusRect();
        return image;
    };
    EXPECT_EQ(Rgb(painted(XPButtonState::Hot, 7, 7, false), 3, 3), FaceTop);
    // A one-pixel focus rectangle: XOR twice would wipe its dot out.
    EXPECT_EQ(Rgb(painted(XPButtonState::Hot, 7, 7, true), 3, 3), FaceTop ^ 0xFFFFFF);
}

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

TEST_F(XPButtonInWindow, FocusRectangleInvertsEveryOtherPixelOnlyWhenFocusedInAnActiveWindow)
{
    button->setFocus();
    button->setFocusRect(false);
    const QImage plain = Grabbed();
    button->setFocusRect(true);
    const QImage dotted = Grabbed();
    const int right = plain.width() - 4;
    const int bottom = plain.height() - 4;
    int wrong = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const bool onRect = ((x == 3 || x == right) && y >= 3 && y <= bottom) || ((y == 3 || y == bottom) && x >= 3 && x <= right);
            const QRgb expected = onRect && (x + y) % 2 == 0 ? Rgb(plain, x, y) ^ 0xFFFFFF : Rgb(plain, x, y);
            wrong += Rgb(dotted, x, y) == expected ? 0 : 1;
        }
    }
    EXPECT_EQ(wrong, 0);

    // Focused, but its window inactive: the normal look, without the rectangle.
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(button, &deactivate);
    ASSERT_EQ(button->state(), XPButtonState::Normal);
    ASSERT_TRUE(button->hasFocus());
    EXPECT_EQ(Rgb(Grabbed(), 3, 3), FaceTop);
}

TEST_F(XPButtonInWindow, MouseClicksOnReleaseInsideOnceEvenForADoubleClick)
{
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QSignalSpy doubleClicks(button, &ccXPButton::DblClick);
    QTest::mouseMove(button, Centre());
    QTest::mousePress(button, Qt::LeftButton, {}, Centre());
    QTest::mouseMove(button, QPoint(120, 40));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(120, 40));
    EXPECT_EQ(button->state(), XPButtonState::Focused);
    QTest::mouseClick(button, Qt::RightButton, {}, Centre());
    EXPECT_EQ(clicks->count(), 0);

    // What a widget sees of a double click: press, release, double click, release.
    QTest::mouseMove(button, Centre());
    QTest::mouseClick(button, Qt::LeftButton, {}, Centre());
    QTest::mouseDClick(button, Qt::LeftButton, {}, Centre());
    QTest::mouseRelease(button, Qt::LeftButton, {}, Centre());
    EXPECT_EQ(clicks->count(), 1);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(button->state(), XPButtonState::Hot);

    button->click();
    EXPECT_EQ(clicks->count(), 2);
}

TEST_F(XPButtonInWindow, DisabledWithItsWindowAndThenNeverClicks)
{
    window->setEnabled(false);
    EXPECT_EQ(button->state(), XPButtonState::Disabled);
    window->setEnabled(true);
    EXPECT_EQ(button->state(), XPButtonState::Normal);
    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, Centre());
    AltKey(Qt::Key_G);
    EXPECT_EQ(clicks->count(), 0);
}

TEST_F(XPButtonInWindow, AccessKeyClicksFromAnywhereInTheWindow)
{
    ASSERT_TRUE(lineEdit->hasFocus());
    AltKey(Qt::Key_G);
    EXPECT_EQ(clicks->count(), 1);
    button->setCaption(QStringLiteral("Fish && Chips"));
    AltKey(Qt::Key_C);
    AltKey(Qt::Key_G);
    EXPECT_EQ(clicks->count(), 1);
    button->setCaption(QStringLiteral("Fish && &Chips"));
    AltKey(Qt::Key_C);
    EXPECT_EQ(clicks->count(), 2);
}

TEST_F(XPButtonInWindow, SpaceClicksOnItsLastRelease)
{
    button->setFocus();
    QTest::keyPress(button, Qt::Key_Space);
    // A held key repeats both press and release; only the last release counts.
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeatedRelease(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QKeyEvent repeatedPress(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QCoreApplication::sendEvent(button, &repeatedRelease);
        QCoreApplication::sendEvent(button, &repeatedPress);
    }
    EXPECT_EQ(clicks->count(), 0);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(clicks->count(), 1);
}

TEST_F(XPButtonInWindow, EnterClicksAndArrowsMoveTheFocusToAButtonShownLater)
{
    auto* second = new ccXPButton(QStringLiteral("&Stop"), window.get());
    second->setGeometry(100, 10, 80, 25);
    second->show();
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicks->count(), 1);

    QTest::keyClick(button, Qt::Key_Right);
    EXPECT_TRUE(second->hasFocus());
    EXPECT_EQ(second->state(), XPButtonState::Focused);
    EXPECT_EQ(button->state(), XPButtonState::Normal);
    QTest::keyClick(second, Qt::Key_Up);
    EXPECT_TRUE(button->hasFocus());
    QTest::keyClick(button, Qt::Key_Down);
    EXPECT_TRUE(second->hasFocus());
    QTest::keyClick(second, Qt::Key_Left);
    EXPECT_TRUE(button->hasFocus());
    // Shown after its window became active, it still knows the window is.
    QTest::mouseMove(second, second->rect().center());
    EXPECT_EQ(second->state(), XPButtonState::Hot);
}

}  // namespace
}  // namespace sonorelle
