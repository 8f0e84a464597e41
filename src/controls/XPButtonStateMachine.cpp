#include "controls/XPButtonStateMachine.h"

namespace sonorelle {

void XPButtonStateMachine::show(XPButtonState state)
{
    if (enabled_ || state == XPButtonState::Disabled)
        state_ = state;
}

void XPButtonStateMachine::showFocusedOrHot()
{
    show(hot_ ? XPButtonState::Hot : XPButtonState::Focused);
}

void XPButtonStateMachine::endPress()
{
    armed_ = false;
    mouseHeld_ = false;
    spaceDown_ = false;
}

XPButtonReaction XPButtonStateMachine::pointerMoved(bool inside)
{
    // Tracked while disabled too, so that enabling under the pointer shows it hot.
    hot_ = inside;
    if (!enabled_ || !parentActive_ || spaceDown_)
        return {};
    if (hot_ && armed_)
        show(XPButtonState::Pressed);
    else if (hot_)
        show(XPButtonState::Hot);
    else if (hasFocus_)
        show(XPButtonState::Focused);
    else
        show(XPButtonState::Normal);
    return {};
}

XPButtonReaction XPButtonStateMachine::mouseLeft()
{
    hot_ = false;
    if (spaceDown_ || state_ == XPButtonState::Disabled)
        return {};
    if (!hasFocus_ && !isDefault_)
        show(XPButtonState::Normal);
    else if (state_ != XPButtonState::Pressed) {
        if (parentActive_)
            show(XPButtonState::Focused);
    } else
        show(armed_ ? XPButtonState::Focused : XPButtonState::Normal);
    return {};
}

XPButtonReaction XPButtonStateMachine::leftButtonDown()
{
    if (!enabled_)
        return {};
    hasFocus_ = true;
    armed_ = true;
    mouseHeld_ = true;
    show(XPButtonState::Pressed);
    return {};
}

XPButtonReaction XPButtonStateMachine::leftButtonUp()
{
    if (!enabled_)
        return {};
    if (parentActive_ && hot_)
        show(XPButtonState::Hot);
    else if (parentActive_ && hasFocus_)
        show(XPButtonState::Focused);
    else if (state_ == XPButtonState::Pressed)
        show(XPButtonState::Normal);  // a release never leaves the button looking pressed
    XPButtonReaction reaction;
    reaction.click = hot_ && hasFocus_ && armed_;
    armed_ = false;
    mouseHeld_ = false;
    return reaction;
}

XPButtonReaction XPButtonStateMachine::leftDoubleClick()
{
    if (!enabled_)
        return {};
    show(XPButtonState::Pressed);
    XPButtonReaction reaction;
    reaction.doubleClick = true;
    return reaction;
}

XPButtonReaction XPButtonStateMachine::keyDown(XPButtonKey key)
{
    XPButtonReaction reaction;
    if (!enabled_)
        return reaction;
    switch (key) {
    case XPButtonKey::Enter:
        reaction.click = true;
        break;
    case XPButtonKey::Space:
        if (!mouseHeld_) {
            spaceDown_ = true;
            armed_ = true;
            show(XPButtonState::Pressed);
        }
        break;
    case XPButtonKey::Left:
    case XPButtonKey::Up:
        reaction.focusMove = XPButtonFocusMove::Previous;
        break;
    case XPButtonKey::Right:
    case XPButtonKey::Down:
        reaction.focusMove = XPButtonFocusMove::Next;
        break;
    }
    return reaction;
}

XPButtonReaction XPButtonStateMachine::keyUp(XPButtonKey key)
{
    XPButtonReaction reaction;
    if (!enabled_ || key != XPButtonKey::Space || mouseHeld_)
        return reaction;
    showFocusedOrHot();
    reaction.click = armed_;
    spaceDown_ = false;
    armed_ = false;
    return reaction;
}

XPButtonReaction XPButtonStateMachine::accessKeyPressed()
{
    XPButtonReaction reaction;
    if (!enabled_)
        return reaction;
    if (spaceDown_) {
        spaceDown_ = false;
        armed_ = false;
        showFocusedOrHot();
    } else
        reaction.click = true;
    return reaction;
}

XPButtonReaction XPButtonStateMachine::focusIn()
{
    hasFocus_ = true;
    if (hot_ && state_ != XPButtonState::Hot && state_ != XPButtonState::Pressed)
        show(XPButtonState::Hot);
    if (!hot_ && !armed_)
        show(XPButtonState::Focused);
    return {};
}

XPButtonReaction XPButtonStateMachine::focusOut()
{
    hasFocus_ = false;
    // The space bar's release goes to whoever has the focus next, so a keyboard
    // press ends here; left standing it would block hover looks and eat an access key.
    if (spaceDown_) {
        spaceDown_ = false;
        armed_ = mouseHeld_;
    }
    if (!enabled_)
        return {};
    if (!parentActive_)
        show(XPButtonState::Normal);
    else if (hot_)
        show(XPButtonState::Hot);
    else if (isDefault_)
        show(XPButtonState::Focused);
    else
        show(XPButtonState::Normal);
    return {};
}

XPButtonReaction XPButtonStateMachine::windowActivated()
{
    parentActive_ = true;
    if (!enabled_)
        return {};
    if (!hot_ && (hasFocus_ || isDefault_))
        show(XPButtonState::Focused);
    else if (hot_)
        show(XPButtonState::Hot);
    return {};
}

XPButtonReaction XPButtonStateMachine::windowDeactivated()
{
    parentActive_ = false;
    endPress();
    show(XPButtonState::Normal);
    return {};
}

XPButtonReaction XPButtonStateMachine::defaultChanged(bool isDefault)
{
    isDefault_ = isDefault;
    if (enabled_ && !hot_)
        show(isDefault_ ? XPButtonState::Focused : XPButtonState::Normal);
    return {};
}

XPButtonReaction XPButtonStateMachine::enabledChanged(bool enabled)
{
    enabled_ = enabled;
    // A press cut off by disabling must not click once the button comes back.
    if (!enabled_)
        endPress();
    if (hot_ && enabled_)
        show(XPButtonState::Hot);
    else if (!isDefault_ || !enabled_)
        show(enabled_ ? XPButtonState::Normal : XPButtonState::Disabled);
    else
        show(XPButtonState::Focused);
    return {};
}

}  // namespace sonorelle
