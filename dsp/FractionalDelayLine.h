// Feed-forward comb: the input plus k times a copy delayed by D + frac samples, read from a
// fixed 1024-sample ring with linear interpolation between slots r and r - 1. The ring holds
// only inputs, so nothing recirculates. The delay fs/frequency may reach 1023 samples (the
// older tap lies one sample beyond D). gainDb sets k = (e - 1)/(e + 1) with e = 10^(gainDb/20);
// above 99 dB, k = 1.
#pragma once

class FractionalDelayLine {
public:
    static constexpr int size = 1024;

    // Clears the ring and sets delay and weight; called outside the audio thread.
    void configure(float gainDb, float fs, float frequency);

    // Called per sample on the audio thread; allocates nothing.
    float process(float x)
    {
        const int w = writeIndex;
        int r = w - delaySamples;
        if (r < 0)
            r += size;
        buffer[w] = x;
        writeIndex = (w + 1 == size) ? 0 : w + 1;
        // The older tap wraps like the newer one: at r = 0 it is slot 1023.
        const int older = (r == 0) ? size - 1 : r - 1;
        const float delayed = buffer[r] * oneMinusFrac + buffer[older] * frac;
        return x + feedForward * delayed;
    }

    // Empties the ring; the delay, the weights and the write index stay.
    void clearState()
    {
        for (float& x : buffer)
            x = 0.0f;
    }

    float buffer[size] = {};    // past inputs, ring
    int writeIndex = 0;         // slot the next input goes to
    int delaySamples = 0;       // D, whole samples
    float frac = 0.0f;          // weight of the tap one sample older than D
    float oneMinusFrac = 1.0f;  // weight of the tap at D
    float feedForward = 0.0f;   // k, weight of the delayed copy
};
