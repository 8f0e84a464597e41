#include "controls/XPButtonStateMachine.h"
#include "support/NamedRows.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace sonorelle
