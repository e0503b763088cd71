// One complete design of the oversampled chain: every coefficient, gain and level that the
// controls and the rate decide, and no running state: the chain's states live apart, in an
// AmpChain, so a design can be made, copied and replaced without touching what plays.
#pragma once

#include "dsp/Biquad.h"
#include "dsp/PowerAmp.h"
#include "dsp/Preamp.h"
#include "dsp/ToneStack.h"

struct AmpSettings {
    float master = 0.25f;    // linear output factor; exactly 0 freezes the amp
    float inputGain = 1.0f;  // linear factor before the chain
    bool cabinetActive = true;
    Biquad::Coefficients channelFilter;  // first filter of the oversampled chain
    Preamp::Coefficients preamp;
    ToneStack::Coefficients toneStack;
    PowerAmp::Coefficients powerAmp;
};
