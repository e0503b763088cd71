// Push-pull output stage at the 4x rate, linear. The signal splits into an in-phase half A
// and an inverted half B; each feeds back its own previous sag (80 Hz low-pass of 250 minus
// the half), 800 Hz band-pass resonance and 4500 Hz treble term (scaled by presence). Both
// halves are band-limited (10 kHz low-pass, 33 Hz high-pass), B passes the voicing all-pass
// (RBJ form, 320 to 920 Hz) and is mixed into A at 0.7071, and a 300 Hz low-pass of the sum
// is added back at lowBoost. presence 0..1, lowBoost >= 0.
#pragma once

#include "Biquad.h"
#include "OnePoleFilter.h"

struct PowerAmp {
    // The halves are deliberately unequal: A adds its resonance at 10^-0.25 and half the
    // presence, B subtracts its resonance at 1.414 and uses full presence.
    static constexpr float kResonanceFeedbackA = 0.562341325f;  // 10^-0.25
    static constexpr float kResonanceFeedbackB = 1.414f;
    static constexpr float kPresenceScaleA = 0.5f;
    static constexpr float kSagSupply = 250.0f;
    static constexpr float kSagScale = 0.083333f;  // not 1/12: the sag scale is part of the sound
    static constexpr float kSagAmount = 0.075f;
    static constexpr float kVoicingMix = 0.7071f;  // B's level in the sum

    static constexpr double kResonanceHz = 800.0;
    static constexpr double kResonanceAlphaPerSineA = 0.3536067892503536;  // Q = 1.414
    static constexpr double kResonanceAlphaPerSineB = 1.0 / 6.0;           // Q = 3
    static constexpr double kVoicingBaseHz = 320.0;
    static constexpr double kVoicingAlphaPerSine = 5.0;  // Q = 0.1
    static constexpr double kBrightHz = 4500.0;
    static constexpr double kSagHz = 80.0;
    static constexpr double kToneHz = 10000.0;
    static constexpr double kCouplingHz = 33.0;
    static constexpr double kLowBoostHz = 300.0;

    struct Coefficients {
        // fs is the 4x rate. Sets every filter, the all-pass back at 320 Hz; the controls stay.
        void configure(float fs);
        // Moves the voicing all-pass centre to 320 + offsetHz (0 .. 600) at the 4x rate fs.
        void setVoicing(float offsetHz, float fs);

        float presence = 0.0f;  // 0..1, per the presence control
        float lowBoost = 0.0f;  // per channel

        Biquad::Coefficients resonanceFilterA;       // 800 Hz band-pass, Q 1.414
        Biquad::Coefficients resonanceFilterB;       // 800 Hz band-pass, Q 3
        Biquad::Coefficients voicingFilter;          // all-pass, Q 0.1
        OnePoleFilter::Coefficients brightFilter;    // 4500 Hz high-pass
        OnePoleFilter::Coefficients sagFilter;       // 80 Hz low-pass
        OnePoleFilter::Coefficients toneFilter;      // 10 kHz low-pass
        OnePoleFilter::Coefficients couplingFilter;  // 33 Hz high-pass
        OnePoleFilter::Coefficients outputFilter;    // 300 Hz low-pass of the low boost
    };

    struct State {
        float sagA = 0.0f, sagB = 0.0f;  // feedback terms of the previous sample
        float resonanceA = 0.0f, resonanceB = 0.0f;
        float brightA = 0.0f, brightB = 0.0f;

        Biquad::State resonanceFilterA, resonanceFilterB, voicingFilter;
        OnePoleFilter::State brightFilterA, brightFilterB;
        OnePoleFilter::State sagFilterA, sagFilterB;
        OnePoleFilter::State toneFilterA, toneFilterB;
        OnePoleFilter::State couplingFilterA, couplingFilterB;
        OnePoleFilter::State outputFilter;

        // Non-finite once a state holds an infinity or a NaN.
        float sum() const
        {
            return sagA + sagB + resonanceA + resonanceB + brightA + brightB + resonanceFilterA.sum()
                + resonanceFilterB.sum() + voicingFilter.sum() + brightFilterA.sum() + brightFilterB.sum()
                + sagFilterA.sum() + sagFilterB.sum() + toneFilterA.sum() + toneFilterB.sum()
                + couplingFilterA.sum() + couplingFilterB.sum() + outputFilter.sum();
        }
    };

    // One 4x sample; every feedback term read here is the one left by the previous sample.
    static float process(const Coefficients& c, State& s, float w)
    {
        const float x
            = w - s.sagA + s.resonanceA * kResonanceFeedbackA + s.brightA * c.presence * kPresenceScaleA;
        const float v = -w - s.sagB - s.resonanceB * kResonanceFeedbackB + c.presence * s.brightB;
        s.resonanceA = Biquad::process(c.resonanceFilterA, s.resonanceFilterA, x);
        s.resonanceB = Biquad::process(c.resonanceFilterB, s.resonanceFilterB, v);
        s.brightA = OnePoleFilter::highPass(c.brightFilter, s.brightFilterA, x);
        s.brightB = OnePoleFilter::highPass(c.brightFilter, s.brightFilterB, v);
        s.sagA = kSagAmount * OnePoleFilter::lowPass(c.sagFilter, s.sagFilterA, (kSagSupply - x) * kSagScale);
        s.sagB = kSagAmount * OnePoleFilter::lowPass(c.sagFilter, s.sagFilterB, (kSagSupply - v) * kSagScale);
        const float a = OnePoleFilter::highPass(
            c.couplingFilter, s.couplingFilterA, OnePoleFilter::lowPass(c.toneFilter, s.toneFilterA, x));
        const float b = OnePoleFilter::highPass(
            c.couplingFilter, s.couplingFilterB, OnePoleFilter::lowPass(c.toneFilter, s.toneFilterB, v));
        const float e = Biquad::process(c.voicingFilter, s.voicingFilter, b) * kVoicingMix + a;
        return e + c.lowBoost * OnePoleFilter::lowPass(c.outputFilter, s.outputFilter, e);
    }
};
