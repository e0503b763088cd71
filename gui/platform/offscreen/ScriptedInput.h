// The mouse, modifier keys and clock the offscreen platform reports, as a test scripts them:
// from each scripted time on, the cursor is at a screen position with a set of buttons held.
// The clock stands still until someone sleeps or the test advances it, so a tracking loop
// that polls and sleeps walks through the script deterministically.
#pragma once

#include "gui/CPos.h"

#include <cstdint>
#include <vector>

class ScriptedInput {
public:
    static ScriptedInput& instance();

    // Clock 0, cursor at (0, 0), nothing held, no script.
    void reset();
    // From time (milliseconds) on, the cursor is at where and buttons (CButtonState) are held.
    void at(uint32_t time, CPos where, int32_t buttons);

    uint32_t now() const { return now_; }
    void advance(uint32_t milliseconds) { now_ += milliseconds; }
    CPos cursor() const { return current().where; }
    int32_t buttons() const { return current().buttons; }

private:
    struct State {
        uint32_t time;
        CPos where;
        int32_t buttons;
    };
    const State& current() const;

    std::vector<State> script_;  // by time
    State initial_{0, CPos(), 0};
    uint32_t now_ = 0;
};
