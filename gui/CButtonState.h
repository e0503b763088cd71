// The mouse-button and modifier set the toolkit polls: buttons in the low bits, then the
// modifier keys. Left and right follow the system's swapped-buttons setting.
#pragma once

#include <cstdint>

enum CButtonState : int32_t {
    kLButton = 1,
    kMButton = 2,
    kRButton = 4,
    kShift = 8,
    kControl = 16,
    kAlt = 32,
    kApple = 64,  // part of the modifier mask only; no platform here produces it
    kModifierMask = kShift | kControl | kAlt | kApple,
};
