#include "gui/platform/offscreen/ScriptedInput.h"

#include <algorithm>

ScriptedInput& ScriptedInput::instance()
{
    static ScriptedInput input;
    return input;
}

void ScriptedInput::reset()
{
    script_.clear();
    now_ = 0;
}

void ScriptedInput::at(uint32_t time, CPos where, int32_t buttons)
{
    const State state{time, where, buttons};
    const auto later = std::upper_bound(
        script_.begin(), script_.end(), time, [](uint32_t t, const State& s) { return t < s.time; });
    script_.insert(later, state);
}

const ScriptedInput::State& ScriptedInput::current() const
{
    const auto later = std::upper_bound(
        script_.begin(), script_.end(), now_, [](uint32_t t, const State& s) { return t < s.time; });
    return later == script_.begin() ? initial_ : *(later - 1);
}
