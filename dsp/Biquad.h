// Second-order recursive filter section in transposed direct form II, with the
// RBJ audio-EQ cookbook designer beside it. Coefficients are already divided by a0.
// Inputs: any finite float sample; designBiquad takes f0 in (0, fs/2), Q > 0, gain in dB.
#pragma once

struct Biquad {
    float b0 = 0.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;  // coefficients (divided by a0)
    float z1 = 0.0f, z2 = 0.0f;                                  // state (transposed direct form II)

    // The statement order is part of the sound: z1 must see the old z2.
    float process(float x)
    {
        const float y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }

    // Clears coefficients and state alike.
    void reset() { *this = Biquad{}; }

    // Non-finite once the state holds an infinity or a NaN.
    float stateSum() const { return z1 + z2; }

    // These coefficients with the state of `running`.
    Biquad withStateOf(const Biquad& running) const
    {
        Biquad combined = *this;
        combined.z1 = running.z1;
        combined.z2 = running.z2;
        return combined;
    }
};

// The cookbook forms, numbered as the tone stack and the blocks refer to them.
enum class BiquadKind : int {
    HighPass = 1,
    BandPass = 3,  // constant 0 dB peak gain
    AllPass = 5,
    Peaking = 6,
    LowShelf = 7,
};

// Writes the five coefficients of `biquad` and leaves its state alone.
// Computed in double precision, stored as floats.
void designBiquad(double f0, double fs, double q, double gainDb, BiquadKind kind, Biquad& biquad);
