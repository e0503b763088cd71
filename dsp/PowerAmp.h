// Push-pull output stage at the 4x rate, linear. The signal splits into an in-phase half A
// and an inverted half B; each feeds back its own previous sag (80 Hz low-pass of 250 minus
// the half), 800 Hz band-pass resonance and 4500 Hz treble term (scaled by presence). Both
// halves are band-limited (10 kHz low-pass, 33 Hz high-pass), B passes the voicing all-pass
// (RBJ form, 320 to 920 Hz) and is mixed into A at 0.7071, and a 300 Hz low-pass of the sum
// is added back at lowBoost. presence 0..1, lowBoost >= 0.
#pragma once

#include "AudioModule.h"
#include "Biquad.h"
#include "OnePoleFilter.h"

class PowerAmp : public AudioModule {
public:
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

    // fs is the 4x rate. Sets every coefficient, the all-pass back at 320 Hz; states carry on.
    void configure(float fs);

    // Moves the voicing all-pass centre to 320 + offsetHz (0 .. 600) at the 4x rate fs.
    void setVoicing(float offsetHz, float fs);

    // One 4x sample; every feedback term read here is the one left by the previous sample.
    float process(float w)
    {
        const float x = w - sagA + resonanceA * kResonanceFeedbackA + brightA * presence * kPresenceScaleA;
        const float s = -w - sagB - resonanceB * kResonanceFeedbackB + presence * brightB;
        resonanceA = resonanceFilterA.process(x);
        resonanceB = resonanceFilterB.process(s);
        brightA = brightFilterA.processHighPass(x);
        brightB = brightFilterB.processHighPass(s);
        sagA = kSagAmount * sagFilterA.processLowPass((kSagSupply - x) * kSagScale);
        sagB = kSagAmount * sagFilterB.processLowPass((kSagSupply - s) * kSagScale);
        const float a = couplingFilterA.processHighPass(toneFilterA.processLowPass(x));
        const float b = couplingFilterB.processHighPass(toneFilterB.processLowPass(s));
        const float e = voicingFilter.process(b) * kVoicingMix + a;
        return e + lowBoost * outputFilter.processLowPass(e);
    }

    // Non-finite once a state holds an infinity or a NaN.
    float stateSum() const
    {
        return sagA + sagB + resonanceA + resonanceB + brightA + brightB + resonanceFilterA.stateSum()
            + resonanceFilterB.stateSum() + voicingFilter.stateSum() + brightFilterA.stateSum()
            + brightFilterB.stateSum() + sagFilterA.stateSum() + sagFilterB.stateSum()
            + toneFilterA.stateSum() + toneFilterB.stateSum() + couplingFilterA.stateSum()
            + couplingFilterB.stateSum() + outputFilter.stateSum();
    }

    // These coefficients and controls with the states of `running`.
    PowerAmp withStateOf(const PowerAmp& running) const;

    float presence = 0.0f;  // 0..1, written by the engine
    float lowBoost = 0.0f;  // per channel, written by the engine

    float sagA = 0.0f, sagB = 0.0f;  // feedback terms of the previous sample
    float resonanceA = 0.0f, resonanceB = 0.0f;
    float brightA = 0.0f, brightB = 0.0f;

    Biquad resonanceFilterA;                         // 800 Hz band-pass, Q 1.414
    Biquad resonanceFilterB;                         // 800 Hz band-pass, Q 3
    Biquad voicingFilter;                            // all-pass, Q 0.1
    OnePoleFilter brightFilterA, brightFilterB;      // 4500 Hz high-pass
    OnePoleFilter sagFilterA, sagFilterB;            // 80 Hz low-pass
    OnePoleFilter toneFilterA, toneFilterB;          // 10 kHz low-pass
    OnePoleFilter couplingFilterA, couplingFilterB;  // 33 Hz high-pass
    OnePoleFilter outputFilter;                      // 300 Hz low-pass of the low boost
};
