// First-order low-pass or high-pass sharing one coefficient set, h = exp(-2·pi·f/fs).
// The low-pass is (1 - h)·x + h·y1; the high-pass (1 + h)/2·(x - x1) + h·y1, unity at
// Nyquist with a zero at DC. Coefficients are doubles, samples and states floats.
// An owner uses one object as either form, never both.
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

class OnePoleFilter {
public:
    // Cut-off f in Hz, 0 <= f < fs/2; leaves the state alone.
    void setCutoff(double f, double fs);

    float processLowPass(float x)
    {
        const float y = static_cast<float>(onePoleLowPass<double>(lowGain, pole, x, y1));
        y1 = y;
        return y;
    }

    float processHighPass(float x)
    {
        const float y = static_cast<float>(onePoleHighPass<double>(highGain, pole, x, y1, x1));
        y1 = y;
        x1 = x;
        return y;
    }

    // Non-finite once the state holds an infinity or a NaN.
    float stateSum() const { return y1 + x1; }

    // These coefficients with the state of `running`.
    OnePoleFilter withStateOf(const OnePoleFilter& running) const
    {
        OnePoleFilter combined = *this;
        combined.y1 = running.y1;
        combined.x1 = running.x1;
        return combined;
    }

    double pole = 0.0;      // h
    double lowGain = 0.0;   // 1 - h
    double highGain = 0.0;  // (1 + h) / 2
    float y1 = 0.0f;        // previous output
    float x1 = 0.0f;        // previous input (high-pass only)
};
