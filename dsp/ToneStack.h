// Bass / mid / treble tone controls at the 4x rate as three RBJ cookbook sections: a 200 Hz
// low shelf, a mid dip whose centre falls from 500 Hz to 300 Hz as treble rises above
// centre, and a 2850 Hz treble dip. designToneStack (FilterDesign.h) sets the sections from
// the controls; the offsets place the centre settings at -5.5, -28.5 and -12.5 dB.
#pragma once

#include "Biquad.h"

class ToneStack {
public:
    static constexpr double kBassHz = 200.0;  // low shelf, Q 1
    static constexpr double kBassQ = 1.0;
    static constexpr double kMidHz = 500.0;       // peaking, Q 1.25 (mid 0) to 0.75 (mid full)
    static constexpr double kMidShiftHz = 400.0;  // per unit of treble above centre
    static constexpr double kTrebleHz = 2850.0;   // peaking, Q 2
    static constexpr double kTrebleQ = 2.0;
    static constexpr float kBassOffsetDb = 5.5f;  // dB below a flat response at the centre settings
    static constexpr float kMidOffsetDb = 28.5f;
    static constexpr float kTrebleOffsetDb = 12.5f;

    // A fresh section outputs only zeros: design the stack before it runs.
    float process(float x)
    {
        const float a = trebleSection.process(x);
        const float b = midSection.process(a);
        return bassSection.process(b);
    }

    // Non-finite once a section's state holds an infinity or a NaN.
    float stateSum() const
    {
        return trebleSection.stateSum() + midSection.stateSum() + bassSection.stateSum();
    }

    // These coefficients with the states of `running`.
    ToneStack withStateOf(const ToneStack& running) const
    {
        ToneStack combined;
        combined.bassSection = bassSection.withStateOf(running.bassSection);
        combined.midSection = midSection.withStateOf(running.midSection);
        combined.trebleSection = trebleSection.withStateOf(running.trebleSection);
        return combined;
    }

    Biquad bassSection;    // low shelf
    Biquad midSection;     // peaking
    Biquad trebleSection;  // peaking
};
