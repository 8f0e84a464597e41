#pragma once

#include "controls/XPButtonState.h"

namespace sonorelle {

// The keys the button reacts to; every other key passes by it.
enum class XPButtonKey { Space, Enter, Left, Up, Right, Down };

enum class XPButtonFocusMove { Stay, Previous, Next };

// What the button has to do after an input besides painting its new state.
struct XPButtonReaction {
    bool click = false;
    bool doubleClick = false;
    XPButtonFocusMove focusMove = XPButtonFocusMove::Stay;
};

// Which of the five looks a push button shows and when it clicks, driven by plain
// method calls so that the rules hold without any window. While disabled the state is
// always Disabled and mouse and key input change nothing.
class XPButtonStateMachine {
public:
    XPButtonState state() const { return state_; }
    bool hot() const { return hot_; }
    bool hasFocus() const { return hasFocus_; }
    bool armed() const { return armed_; }
    bool parentActive() const { return parentActive_; }
    bool enabled() const { return enabled_; }
    bool isDefault() const { return isDefault_; }

    XPButtonReaction pointerMoved(bool inside);
    XPButtonReaction mouseLeft();
    XPButtonReaction leftButtonDown();
    XPButtonReaction leftButtonUp();
    XPButtonReaction leftDoubleClick();
    XPButtonReaction keyDown(XPButtonKey key);
    XPButtonReaction keyUp(XPButtonKey key);
    XPButtonReaction accessKeyPressed();
    XPButtonReaction focusIn();
    XPButtonReaction focusOut();
    XPButtonReaction windowActivated();
    XPButtonReaction windowDeactivated();
    XPButtonReaction defaultChanged(bool isDefault);
    XPButtonReaction enabledChanged(bool enabled);

private:
    void show(XPButtonState state);
    void showFocusedOrHot();
    void endPress();

    XPButtonState state_ = XPButtonState::Normal;
    bool enabled_ = true;
    bool hot_ = false;
    bool hasFocus_ = false;
    bool armed_ = false;
    bool mouseHeld_ = false;
    bool spaceDown_ = false;
    bool isDefault_ = false;
    bool parentActive_ = false;
};

}  // namespace sonorelle
