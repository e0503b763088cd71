// Chamberlin state-variable filter (two integrators in a loop) used as a resonant band-pass
// or a low-pass by the cabinet simulator. Above 5501 Hz (referred to 44100 Hz) the loop is
// run n times per sample on linearly interpolated inputs, which keeps it stable up to fs/2.
// Inputs: frequency in Hz (limited to fs/2), q in 0.5 .. 100 (limited), any gain; band-pass
// centres are corrected by svfTuningTable, which has q classes only up to q < 11.
#pragma once

// One pass of the loop, for a float and lane-wise for SSE2 lanes: low integrates the old band
// state, band the new high. The order is the filter.
template <typename Value>
inline void stateVariableStep(
    Value v, Value tuning, Value damping, Value& bandState, Value& lowState, Value& high)
{
    lowState = bandState * tuning + lowState;
    high = v - lowState - bandState * damping;
    bandState = bandState + tuning * high;
}

class StateVariableFilter {
public:
    static constexpr int kLowPass = 1;
    static constexpr int kBandPass = 2;

    // Sets coefficients for rate fs and mode kLowPass or kBandPass; keeps no rate and leaves the
    // state alone.
    void configure(float fs, float frequency, float q, float gain, int mode);

    // Called per sample on the audio thread; allocates nothing.
    float process(float x)
    {
        if (outputGain == 0.0f)
            return 0.0f;  // a silenced filter holds its state instead of ringing on
        if (iterations == 1) {
            step(x);
        } else {
            const float increment = (x - previousInput) / static_cast<float>(iterations);
            float v = previousInput;
            for (int i = 0; i < iterations; ++i) {
                v += increment;
                step(v);
            }
        }
        previousInput = x;
        return outputGain * (mode == kLowPass ? low : band);
    }

    // Non-finite once a state holds an infinity or a NaN.
    float stateSum() const { return bandState + lowState + previousInput; }
    // Back to silence; the coefficients stay.
    void clearState()
    {
        low = high = band = 0.0f;
        bandState = lowState = previousInput = 0.0f;
    }

    float low = 0.0f, high = 0.0f, band = 0.0f;  // outputs of the latest step
    float frequency = 0.0f;                      // Hz, at most half the rate it was designed for
    float q = 0.5f;                              // 0.5 .. 100
    float gain = 0.0f;
    float outputGain = 0.0f;  // gain / q, or gain for a low-pass with q < 1
    int mode = kLowPass;
    float bandState = 0.0f, lowState = 0.0f;  // integrator states
    float tuning = 0.0f;                      // 2·sin(pi·fc'/fs'), per iteration
    float damping = 2.0f;                     // 1 / q
    int iterations = 1;                       // loop passes per sample
    float previousInput = 0.0f;               // start of the next sample's input ramp

private:
    void step(float v)
    {
        stateVariableStep(v, tuning, damping, bandState, lowState, high);
        low = lowState;
        band = bandState;
    }
};
