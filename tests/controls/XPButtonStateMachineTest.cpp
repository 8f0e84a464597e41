#include "controls/XPButtonStateMachine.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace sonorelle {
namespace {

enum class In {
    Activate, Deactivate, MoveIn, MoveOut, Leave, Down, Up, DoubleClick,
    SpaceDown, SpaceUp, EnterKey, AccessKey, FocusIn, FocusOut,
    Disable, Enable, MakeDefault, ClearDefault,
};

struct Outcome {
    int clicks = 0;
    int doubleClicks = 0;
};

XPButtonReaction Feed(XPButtonStateMachine& machine, In input)
{
    switch (input) {
    case In::Activate: return machine.windowActivated();
    case In::Deactivate: return machine.windowDeactivated();
    case In::MoveIn: return machine.pointerMoved(true);
    case In::MoveOut: return machine.pointerMoved(false);
    case In::Leave: return machine.mouseLeft();
    case In::Down: return machine.leftButtonDown();
    case In::Up: return machine.leftButtonUp();
    case In::DoubleClick: return machine.leftDoubleClick();
    case In::SpaceDown: return machine.keyDown(XPButtonKey::Space);
    case In::SpaceUp: return machine.keyUp(XPButtonKey::Space);
    case In::EnterKey: return machine.keyDown(XPButtonKey::Enter);
    case In::AccessKey: return machine.accessKeyPressed();
    case In::FocusIn: return machine.focusIn();
    case In::FocusOut: return machine.focusOut();
    case In::Disable: return machine.enabledChanged(false);
    case In::Enable: return machine.enabledChanged(true);
    case In::MakeDefault: return machine.defaultChanged(true);
    case In::ClearDefault: return machine.defaultChanged(false);
    }
    return {};
}

Outcome Replay(XPButtonStateMachine& machine, const std::vector<In>& inputs)
{
    Outcome outcome;
    for (const In input : inputs) {
        const XPButtonReaction reaction = Feed(machine, input);
        outcome.clicks += reaction.click ? 1 : 0;
        outcome.doubleClicks += reaction.doubleClick ? 1 : 0;
    }
    return outcome;
}

struct Scenario {
    std::string name;
    std::vector<In> inputs;
    XPButtonState finalState;
    int clicks;
};

std::ostream& operator<<(std::ostream& out, const Scenario& scenario)
{
    return out << scenario.name;
}

class XPButtonScenario : public testing::TestWithParam<Scenario> {};

TEST_P(XPButtonScenario, EndsInStateWithClicks)
{
    const Scenario& scenario = GetParam();
    XPButtonStateMachine machine;
    const Outcome outcome = Replay(machine, scenario.inputs);
    EXPECT_EQ(machine.state(), scenario.finalState);
    EXPECT_EQ(outcome.clicks, scenario.clicks);
}

std::string NameOf(const testing::TestParamInfo<Scenario>& info)
{
    return info.param.name;
}

using enum In;
using S = XPButtonState;

INSTANTIATE_TEST_SUITE_P(MousePresses, XPButtonScenario, testing::Values(
    Scenario{"ReleaseInsideClicks", {Activate, MoveIn, Down, Up}, S::Hot, 1},
    Scenario{"PressShowsPressed", {Activate, MoveIn, Down}, S::Pressed, 0},
    Scenario{"ReleaseOutsideDoesNotClick", {Activate, MoveIn, Down, MoveOut, Up}, S::Focused, 0},
    Scenario{"BackInsidePressedAgainAndClicks", {Activate, MoveIn, Down, MoveOut, MoveIn, Up}, S::Hot, 1},
    Scenario{"ReleaseWithoutPressDoesNotClick", {Activate, MoveIn, Up}, S::Hot, 0},
    Scenario{"SecondPressOfDoubleClickDoesNotClick", {Activate, MoveIn, Down, Up, DoubleClick, Up}, S::Hot, 1},
    Scenario{"DoubleClickShowsPressed", {Activate, MoveIn, Down, Up, DoubleClick}, S::Pressed, 1},
    Scenario{"ReleaseInInactiveWindowDoesNotStayPressed", {MoveIn, Down, Up}, S::Normal, 1}),
    NameOf);

INSTANTIATE_TEST_SUITE_P(Keyboard, XPButtonScenario, testing::Values(
    Scenario{"SpacePressAndReleaseClicks", {Activate, FocusIn, SpaceDown, SpaceUp}, S::Focused, 1},
    Scenario{"SpaceDownShowsPressed", {Activate, FocusIn, SpaceDown}, S::Pressed, 0},
    Scenario{"SpaceReleaseUnderPointerShowsHot", {Activate, MoveIn, FocusIn, SpaceDown, SpaceUp}, S::Hot, 1},
    Scenario{"SpaceIgnoredWhileMouseHeld", {Activate, MoveIn, Down, SpaceDown, Up, SpaceUp}, S::Hot, 1},
    Scenario{"SpaceKeepsPressedLookWhilePointerMoves", {Activate, FocusIn, SpaceDown, MoveIn, MoveOut}, S::Pressed, 0},
    Scenario{"EnterClicks", {Activate, FocusIn, EnterKey}, S::Focused, 1},
    Scenario{"AccessKeyClicks", {Activate, AccessKey}, S::Normal, 1},
    Scenario{"AccessKeyCancelsSpacePress", {Activate, FocusIn, SpaceDown, AccessKey, SpaceUp}, S::Focused, 0},
    Scenario{"FocusLossEndsSpacePress", {Activate, FocusIn, SpaceDown, FocusOut}, S::Normal, 0},
    Scenario{"AccessKeyClicksAfterSpacePressLostFocus", {Activate, FocusIn, SpaceDown, FocusOut, AccessKey}, S::Normal, 1},
    Scenario{"HoverShowsAfterSpacePressLostFocus", {Activate, FocusIn, SpaceDown, FocusOut, MoveIn}, S::Hot, 0}),
    NameOf);

INSTANTIATE_TEST_SUITE_P(HoldingWindow, XPButtonScenario, testing::Values(
    Scenario{"DeactivationDuringMousePressNeitherClicksNorStaysPressed", {Activate, MoveIn, Down, Deactivate, Up}, S::Normal, 0},
    Scenario{"DeactivationDuringSpacePressEndsIt", {Activate, FocusIn, SpaceDown, Deactivate}, S::Normal, 0},
    Scenario{"DeactivationDuringSpacePressThenReleaseDoesNotClick", {Activate, FocusIn, SpaceDown, Deactivate, SpaceUp}, S::Focused, 0},
    Scenario{"ActivationRestoresFocusedLook", {FocusIn, Deactivate, Activate}, S::Focused, 0},
    Scenario{"ActivationUnderPointerShowsHot", {MoveIn, Activate}, S::Hot, 0},
    Scenario{"ActivationShowsDefaultButton", {MakeDefault, Deactivate, Activate}, S::Focused, 0},
    Scenario{"HoverInInactiveWindowChangesNothing", {MoveIn}, S::Normal, 0},
    Scenario{"FocusLossInInactiveWindowShowsNormal", {MakeDefault, FocusIn, FocusOut}, S::Normal, 0}),
    NameOf);

INSTANTIATE_TEST_SUITE_P(HoverAndFocus, XPButtonScenario, testing::Values(
    Scenario{"HoverShowsHot", {Activate, MoveIn}, S::Hot, 0},
    Scenario{"LeaveShowsNormal", {Activate, MoveIn, Leave}, S::Normal, 0},
    Scenario{"LeaveOfFocusedShowsFocused", {Activate, FocusIn, MoveIn, Leave}, S::Focused, 0},
    Scenario{"LeaveWhileArmedShowsFocused", {Activate, MoveIn, Down, Leave}, S::Focused, 0},
    Scenario{"LeaveAfterDoubleClickPressShowsNormal", {Activate, MoveIn, Down, Up, DoubleClick, Leave}, S::Normal, 1},
    Scenario{"LeaveDuringSpacePressKeepsPressed", {Activate, MoveIn, FocusIn, SpaceDown, Leave}, S::Pressed, 0},
    Scenario{"FocusShowsFocused", {Activate, FocusIn}, S::Focused, 0},
    Scenario{"FocusUnderPointerStaysHot", {Activate, MoveIn, FocusIn}, S::Hot, 0},
    Scenario{"FocusLossShowsNormal", {Activate, FocusIn, FocusOut}, S::Normal, 0},
    Scenario{"FocusLossUnderPointerShowsHot", {Activate, FocusIn, MoveIn, FocusOut}, S::Hot, 0},
    Scenario{"FocusLossOfDefaultShowsFocused", {Activate, MakeDefault, FocusIn, FocusOut}, S::Focused, 0},
    Scenario{"DefaultShowsFocused", {Activate, MakeDefault}, S::Focused, 0},
    Scenario{"DefaultClearedShowsNormal", {Activate, MakeDefault, ClearDefault}, S::Normal, 0},
    Scenario{"DefaultUnderPointerStaysHot", {Activate, MoveIn, MakeDefault}, S::Hot, 0}),
    NameOf);

INSTANTIATE_TEST_SUITE_P(Enabling, XPButtonScenario, testing::Values(
    Scenario{"DisabledShowsDisabled", {Activate, Disable}, S::Disabled, 0},
    Scenario{"DisabledIgnoresMouse", {Activate, Disable, MoveIn, Down, Up, DoubleClick, Leave}, S::Disabled, 0},
    Scenario{"DisabledIgnoresKeys", {Activate, FocusIn, Disable, SpaceDown, SpaceUp, EnterKey, AccessKey}, S::Disabled, 0},
    Scenario{"DisabledIgnoresFocusActivationAndDefault", {Disable, FocusIn, Activate, MakeDefault, FocusOut}, S::Disabled, 0},
    Scenario{"DisablingCancelsMousePress", {Activate, MoveIn, Down, Disable, Enable, Up}, S::Hot, 0},
    Scenario{"DisablingCancelsSpacePress", {Activate, FocusIn, SpaceDown, Disable, Enable, SpaceUp}, S::Focused, 0},
    Scenario{"EnabledShowsNormal", {Activate, Disable, Enable}, S::Normal, 0},
    Scenario{"EnabledUnderPointerShowsHot", {Activate, Disable, MoveIn, Enable}, S::Hot, 0},
    Scenario{"EnabledDefaultShowsFocused", {Activate, MakeDefault, Disable, Enable}, S::Focused, 0}),
    NameOf);

TEST(XPButtonStateMachine, StartsEnabledNormalInInactiveWindow)
{
    const XPButtonStateMachine machine;
    EXPECT_EQ(machine.state(), XPButtonState::Normal);
    EXPECT_TRUE(machine.enabled());
    EXPECT_FALSE(machine.parentActive());
    EXPECT_FALSE(machine.hasFocus());
}

TEST(XPButtonStateMachine, DoubleClickIsReportedOnce)
{
    XPButtonStateMachine machine;
    const Outcome outcome = Replay(machine, {Activate, MoveIn, Down, Up, DoubleClick, Up});
    EXPECT_EQ(outcome.doubleClicks, 1);
}

TEST(XPButtonStateMachine, ArrowKeysMoveTheFocus)
{
    const std::vector<std::pair<XPButtonKey, XPButtonFocusMove>> moves{
        {XPButtonKey::Left, XPButtonFocusMove::Previous},
        {XPButtonKey::Up, XPButtonFocusMove::Previous},
        {XPButtonKey::Right, XPButtonFocusMove::Next},
        {XPButtonKey::Down, XPButtonFocusMove::Next},
        {XPButtonKey::Space, XPButtonFocusMove::Stay},
        {XPButtonKey::Enter, XPButtonFocusMove::Stay},
    };
    for (const auto& [key, move] : moves) {
        XPButtonStateMachine machine;
        machine.focusIn();
        EXPECT_EQ(machine.keyDown(key).focusMove, move) << static_cast<int>(key);
    }
}

TEST(XPButtonStateMachine, DisabledKeepsFocusWhereItIs)
{
    XPButtonStateMachine machine;
    machine.enabledChanged(false);
    EXPECT_EQ(machine.keyDown(XPButtonKey::Right).focusMove, XPButtonFocusMove::Stay);
}

TEST(XPButtonStateMachine, MousePressTakesTheFocus)
{
    XPButtonStateMachine machine;
    machine.windowActivated();
    machine.pointerMoved(true);
    machine.leftButtonDown();
    EXPECT_TRUE(machine.hasFocus());
    EXPECT_TRUE(machine.armed());
    machine.leftButtonUp();
    EXPECT_FALSE(machine.armed());
}

}  // namespace
}  // namespace sonorelle
