// Bass / mid / treble tone controls at the 4x rate as three RBJ cookbook sections: a 200 Hz
// low shelf, a mid dip whose centre falls from 500 Hz to 300 Hz as treble rises above
// centre, and a 2850 Hz treble dip. bass, mid and treble are the control values minus 0.5
// (−0.5 .. +0.5); the offsets place the centre settings at −5.5, −28.5 and −12.5 dB.
#pragma once

#include "Biquad.h"

class ToneStack {
public:
    // Redesigns the three sections from sampleRate, bass, mid and treble; states carry on.
    // Must run once before process(): a fresh section outputs only zeros.
    void update();

    float process(float x)
    {
        const float a = trebleSection.process(x);
        const float b = midSection.process(a);
        return bassSection.process(b);
    }

    // Non-finite once a section's state holds an infinity or a NaN.
    float stateSum() const { return trebleSection.stateSum() + midSection.stateSum() + bassSection.stateSum(); }

    float sampleRate = 44100.0f;  // Hz, the 4x rate once the engine has set it
    float bass = 0.0f;            // controls, each centred on 0
    float mid = 0.0f;
    float treble = 0.0f;
    float bassOffset = 5.5f;      // dB below a flat response at the centre settings
    float midOffset = 28.5f;
    float trebleOffset = 12.5f;
    Biquad bassSection;           // low shelf
    Biquad midSection;            // peaking
    Biquad trebleSection;         // peaking
};
