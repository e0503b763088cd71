// The preamp tube's transfer curve as a constant table shared by all stages: values[i] is
// the curve at x = (i − 76)/10, covering lowerLimit to upperLimit in steps of 0.1.
#pragma once

struct TriodeTransferTable {
    static constexpr int size = 154;
    static constexpr int zeroIndex = 76;          // entry of x = 0
    static constexpr float stepsPerUnit = 10.0f;  // entries per unit of x
    static constexpr float lowerLimit = -7.6f;    // x of values[0]
    static constexpr float upperLimit = 7.7f;     // x of values[size - 1]
    static const float values[size];
};
