// A key as the host reports it: the character, a virtual key code and modifier bits.
#pragma once

#include <cstdint>

struct CKeyCode {
    int32_t character = 0;
    uint8_t virt = 0;      // one of the virtual keys below, 0 for a plain character
    uint8_t modifier = 0;  // kKeyModifier bits
};

enum CVirtualKey : uint8_t {
    kVirtualKeyTab = 2,
    kVirtualKeyLeft = 11,
    kVirtualKeyUp = 12,
    kVirtualKeyRight = 13,
    kVirtualKeyDown = 14,
};

enum CKeyModifier : uint8_t {
    kKeyModifierShift = 1,
};
