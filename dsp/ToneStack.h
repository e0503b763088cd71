// Bass / mid / treble tone controls at the 4x rate as three RBJ cookbook sections: a 200 Hz
// low shelf, a mid dip whose centre falls from 500 Hz to 300 Hz as treble rises above
// centre, and a 2850 Hz treble dip. designToneStack (FilterDesign.h) sets the sections from
// the controls; the offsets place the centre settings at -5.5, -28.5 and -12.5 dB.
#pragma once

#include "Biquad.h"

struct ToneStack {
    static constexpr double kBassHz = 200.0;  // low shelf, Q 1
    static constexpr double kBassQ = 1.0;
    static constexpr double kMidHz = 500.0;       // peaking, Q 1.25 (mid 0) to 0.75 (mid full)
    static constexpr double kMidShiftHz = 400.0;  // per unit of treble above centre
    static constexpr double kTrebleHz = 2850.0;   // peaking, Q 2
    static constexpr double kTrebleQ = 2.0;
    static constexpr float kBassOffsetDb = 5.5f;  // dB below a flat response at the centre settings
    static constexpr float kMidOffsetDb = 28.5f;
    static constexpr float kTrebleOffsetDb = 12.5f;

    struct Coefficients {
        Biquad::Coefficients bassSection;    // low shelf
        Biquad::Coefficients midSection;     // peaking
        Biquad::Coefficients trebleSection;  // peaking
    };

    struct State {
        Biquad::State bassSection, midSection, trebleSection;

        // Non-finite once a section's state holds an infinity or a NaN.
        float sum() const { return trebleSection.sum() + midSection.sum() + bassSection.sum(); }
    };

    // Zero coefficients output only zeros: design the stack before it runs.
    static float process(const Coefficients& c, State& s, float x)
    {
        const float a = Biquad::process(c.trebleSection, s.trebleSection, x);
        const float b = Biquad::process(c.midSection, s.midSection, a);
        return Biquad::process(c.bassSection, s.bassSection, b);
    }
};
