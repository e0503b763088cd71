#include "tests/gui/support/TestMouse.h"

#include "gui/platform/offscreen/ScriptedInput.h"

void TestMouse::place(CPos screen, int32_t buttons)
{
    ScriptedInput& input = ScriptedInput::instance();
    input.at(input.now(), screen, buttons);
}

void TestMouse::releaseAll()
{
    ScriptedInput& input = ScriptedInput::instance();
    input.at(input.now(), input.cursor(), 0);
}

bool TestMouse::canHoldModifiers()
{
    return true;
}
