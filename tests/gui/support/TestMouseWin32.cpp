#include "tests/gui/support/TestMouse.h"

#include "gui/CButtonState.h"

#include <windows.h>

namespace {

int32_t held = 0;  // what this test input holds now

void sendKey(WORD key, bool down)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

void sendButton(DWORD downFlag, DWORD upFlag, bool down)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? downFlag : upFlag;
    SendInput(1, &input, sizeof input);
}

// Changes whatever differs between held and wanted, modifiers before buttons on the way
// down and after them on the way up, as a hand would.
void apply(int32_t wanted)
{
    const int32_t changed = held ^ wanted;
    const auto modifiers = [&](bool down) {
        if ((changed & kShift) && ((wanted & kShift) != 0) == down)
            sendKey(VK_SHIFT, down);
        if ((changed & kControl) && ((wanted & kControl) != 0) == down)
            sendKey(VK_CONTROL, down);
        if ((changed & kAlt) && ((wanted & kAlt) != 0) == down)
            sendKey(VK_MENU, down);
    };
    modifiers(true);
    if (changed & kLButton)
        sendButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, (wanted & kLButton) != 0);
    if (changed & kRButton)
        sendButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, (wanted & kRButton) != 0);
    modifiers(false);
    held = wanted;
}

}  // namespace

void TestMouse::place(CPos screen, int32_t buttons)
{
    SetCursorPos(screen.h, screen.v);
    apply(buttons);
}

void TestMouse::releaseAll()
{
    apply(0);
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) { }
}

bool TestMouse::canHoldModifiers()
{
    return false;
}
