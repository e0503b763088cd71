// The amp as a plain chain of the scalar blocks, one host sample in and one out:
// input gain -> 4x upsampling -> channel filter -> preamp (three triode stages, feedback
// around the third) -> tone stack -> power amp -> decimation -> cabinet (unless bypassed)
// -> master. This is the readable statement of the sound. An AmpChain holds the running states
// and the rate-bound blocks; the coefficients come with each call, from an AmpSettings. The
// engine runs its AmpChain through ChainPipeline, which computes the same bits faster.
#pragma once

#include "AmpSettings.h"

#include "dsp/Biquad.h"
#include "dsp/CabinetSimulator.h"
#include "dsp/DecimationFilter.h"
#include "dsp/PolyphaseUpsampler.h"
#include "dsp/PowerAmp.h"
#include "dsp/Preamp.h"
#include "dsp/ToneStack.h"

#include <cmath>

class AmpChain {
public:
    static constexpr int kOversampling = 4;
    static constexpr float kMaxInput = 1e6f;  // 120 dB above full scale

    // Loads the resampling kernels of host rate `rate` and rebuilds the cabinet for it with
    // cleared state. An unsupported rate keeps the kernels in use; if there are none yet it
    // borrows the nearest rate's, so the amp sounds at any host rate. Allocates.
    void setRate(float rate);

    // True once resampling kernels are loaded; process() needs them.
    bool isReady() const { return upsampler.isConfigured() && decimator.isConfigured(); }

    // One host sample through the whole chain with the coefficients of `design`; only when
    // ready.
    float process(const AmpSettings& design, float x)
    {
        const float* subSamples = upsampler.process(safeInput(x * design.inputGain));
        float decimated = 0.0f;
        for (int k = 0; k < kOversampling; ++k) {
            float y = Biquad::process(design.channelFilter, channelFilter, subSamples[k]);
            y = Preamp::process(design.preamp, preamp, y);
            y = ToneStack::process(design.toneStack, toneStack, y);
            y = PowerAmp::process(design.powerAmp, powerAmp, y);
            if (k == 0)  // the decimator takes the first sub-sample of every four
                decimated = decimator.process(y);
        }
        return design.master * (design.cabinetActive ? cabinet.process(decimated) : decimated);
    }

    // Upstream garbage must not poison the filter states for the rest of the session.
    static float safeInput(float x)
    {
        if (std::fabs(x) <= kMaxInput)
            return x;
        return std::isfinite(x) ? std::copysign(kMaxInput, x) : 0.0f;
    }

    // False once a recursive state holds an infinity or a NaN, which would never leave it.
    bool statesAreFinite() const;
    // Back to rest, the state a fresh chain starts with; the designs and kernels stay.
    void clearStates();

    PolyphaseUpsampler upsampler;  // host rate -> 4x
    Biquad::State channelFilter;
    Preamp::State preamp;
    ToneStack::State toneStack;
    PowerAmp::State powerAmp;
    DecimationFilter decimator;  // 4x -> host rate
    CabinetSimulator cabinet;    // at the host rate
};
