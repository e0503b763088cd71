// Helpers for the tests that hold a fast block to its scalar reference bit for bit.
#pragma once

#include "dsp/StateVariableFilter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

// The float's bit pattern: equal bits, not merely equal values (0.0 and -0.0 differ here).
inline uint32_t bits(float x)
{
    uint32_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

inline void expectSameFilter(
    const StateVariableFilter& a, const StateVariableFilter& e, const std::string& where)
{
    const float actual[] = {a.low, a.high, a.band, a.bandState, a.lowState, a.previousInput};
    const float expected[] = {e.low, e.high, e.band, e.bandState, e.lowState, e.previousInput};
    for (size_t i = 0; i < sizeof actual / sizeof actual[0]; ++i)
        EXPECT_EQ(bits(actual[i]), bits(expected[i])) << where << ", state " << i;
}
