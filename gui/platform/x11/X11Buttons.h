// X's button and modifier masks in the toolkit's CButtonState bits.
#pragma once

#include "gui/CButtonState.h"

#include <X11/X.h>

#include <cstdint>

namespace x11 {

inline int32_t buttonState(unsigned mask)
{
    int32_t buttons = 0;
    if (mask & Button1Mask)
        buttons |= kLButton;
    if (mask & Button2Mask)
        buttons |= kMButton;
    if (mask & Button3Mask)
        buttons |= kRButton;
    if (mask & ShiftMask)
        buttons |= kShift;
    if (mask & ControlMask)
        buttons |= kControl;
    if (mask & Mod1Mask)
        buttons |= kAlt;
    return buttons;
}

// The mask of button 1, 2 or 3 held; 0 for the others.
inline unsigned buttonMask(unsigned button)
{
    switch (button) {
    case Button1:
        return Button1Mask;
    case Button2:
        return Button2Mask;
    case Button3:
        return Button3Mask;
    default:
        return 0;
    }
}

}  // namespace x11
