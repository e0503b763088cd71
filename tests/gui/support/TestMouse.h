// The system mouse and modifier keys as a test sets them: on the offscreen platform through
// ScriptedInput, on Windows through SetCursorPos and SendInput, so that the toolkit's polls
// (cursor position, buttons held) see what the test says on both.
#pragma once

#include "gui/CPos.h"

#include <cstdint>

namespace TestMouse {

// From now on the cursor is at screen and the CButtonState buttons are held.
void place(CPos screen, int32_t buttons);
// False where held modifier keys cannot be scripted: wine restates them from the X server
// (which holds none) whenever it takes in a pointer event, so they vanish mid-gesture.
bool canHoldModifiers();
// Nothing held; on Windows, the button messages the test's input left queued are dropped.
void releaseAll();

}  // namespace TestMouse
