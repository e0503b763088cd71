// One complete design of the oversampled chain: every coefficient, gain and level that a
// parameter setter or a rate change computes. Setters build a new set on their own thread and
// the audio thread takes whole sets only, so a block never runs on half of one design and half
// of another. The blocks here carry coefficients; their state fields are unused, because the
// audio thread keeps the chain's states apart (in an AmpChain).
#pragma once

#include "dsp/Biquad.h"
#include "dsp/PowerAmp.h"
#include "dsp/Preamp.h"
#include "dsp/ToneStack.h"

struct AmpSettings {
    float master = 0.25f;    // linear output factor; exactly 0 freezes the amp
    float inputGain = 1.0f;  // linear factor before the chain
    bool cabinetActive = true;
    Biquad channelFilter;  // first filter of the oversampled chain
    Preamp preamp;
    ToneStack toneStack;
    PowerAmp powerAmp;
};
