// First-order low-pass or high-pass sharing one coefficient set, h = exp(-2·pi·f/fs).
// The low-pass is (1 - h)·x + h·y1; the high-pass (1 + h)/2·(x - x1) + h·y1, unity at
// Nyquist with a zero at DC. Coefficients are doubles, samples and states floats.
// An owner uses one state as either form, never both.
#pragma once

// The two forms' arithmetic, for a double and lane-wise for SSE2 double lanes.
template <typename Value> inline Value onePoleLowPass(Value lowGain, Value pole, Value x, Value y1)
{
    return lowGain * x + pole * y1;
}

template <typename Value>
inline Value onePoleHighPass(Value highGain, Value pole, Value x, Value y1, Value x1)
{
    return highGain * x + pole * y1 - highGain * x1;
}

struct OnePoleFilter {
    struct Coefficients {
        // Cut-off f in Hz, 0 <= f < fs/2.
        void setCutoff(double f, double fs);

        double pole = 0.0;      // h
        double lowGain = 0.0;   // 1 - h
        double highGain = 0.0;  // (1 + h) / 2
    };

    struct State {
        float y1 = 0.0f;  // previous output
        float x1 = 0.0f;  // previous input (high-pass only)

        // Non-finite once the state holds an infinity or a NaN.
        float sum() const { return y1 + x1; }
    };

    static float lowPass(const Coefficients& c, State& s, float x)
    {
        const float y = static_cast<float>(onePoleLowPass<double>(c.lowGain, c.pole, x, s.y1));
        s.y1 = y;
        return y;
    }

    static float highPass(const Coefficients& c, State& s, float x)
    {
        const float y = static_cast<float>(onePoleHighPass<double>(c.highGain, c.pole, x, s.y1, s.x1));
        s.y1 = y;
        s.x1 = x;
        return y;
    }
};
