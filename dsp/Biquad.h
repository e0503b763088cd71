// Second-order recursive filter section in transposed direct form II; FilterDesign.h holds
// its designs. Coefficients are already divided by a0. Input: any finite float sample.
#pragma once

// One sample through a section, for a float and lane-wise for SSE2 lanes. The statement order
// is part of the sound: z1 must see the old z2.
template <typename Value>
inline Value biquadStep(Value x, Value b0, Value b1, Value b2, Value a1, Value a2, Value& z1, Value& z2)
{
    const Value y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
}

struct Biquad {
    struct Coefficients {
        float b0 = 0.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;  // divided by a0
    };

    struct State {
        float z1 = 0.0f, z2 = 0.0f;

        // Non-finite once the state holds an infinity or a NaN.
        float sum() const { return z1 + z2; }
    };

    static float process(const Coefficients& c, State& s, float x)
    {
        return biquadStep(x, c.b0, c.b1, c.b2, c.a1, c.a2, s.z1, s.z2);
    }
};
