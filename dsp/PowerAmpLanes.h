// PowerAmp::process with its two halves side by side in SSE2 lanes (lane 0 half A, lane 1
// half B): the resonance biquads as a float pair, the bright, sag, tone and coupling one-poles
// as double pairs. Each lane performs its half's scalar arithmetic in the same order and
// precision (B's subtracted resonance term is added negated, its presence term scaled by 1,
// both exact), so the output and states match PowerAmp bit for bit.
//
// Like every lane form of a block it lives for one block: it loads the amp's settings from the
// design and its states from the running amp, and writes the states back in store(). It has
// no latency: each push returns its own sample's output.
#pragma once

#include "PowerAmp.h"
#include "SseLanes.h"

#include <emmintrin.h>

class PowerAmpLanes {
public:
    static constexpr int kLatency = 0;

    PowerAmpLanes(const PowerAmp::Coefficients& design, const PowerAmp::State& state);
    void store(PowerAmp::State& state) const;

    float push(float w)
    {
        const __m128 in = _mm_mul_ps(_mm_set1_ps(w), _mm_setr_ps(1.0f, -1.0f, 0.0f, 0.0f));
        const __m128 x = _mm_add_ps(_mm_add_ps(_mm_sub_ps(in, sag_), _mm_mul_ps(resonance_, resonanceScale_)),
            _mm_mul_ps(_mm_mul_ps(bright_, presence_), presenceScale_));
        resonance_ = biquadStep(x, b0_, b1_, b2_, a1_, a2_, z1_, z2_);

        const __m128d xd = _mm_cvtps_pd(x);
        bright_ = _mm_cvtpd_ps(
            onePoleHighPass(brightGain_, brightPole_, xd, _mm_cvtps_pd(brightY1_), _mm_cvtps_pd(brightX1_)));
        brightY1_ = bright_;
        brightX1_ = x;

        const __m128 sagIn
            = _mm_mul_ps(_mm_sub_ps(_mm_set1_ps(PowerAmp::kSagSupply), x), _mm_set1_ps(PowerAmp::kSagScale));
        sagY1_ = _mm_cvtpd_ps(onePoleLowPass(sagGain_, sagPole_, _mm_cvtps_pd(sagIn), _mm_cvtps_pd(sagY1_)));
        sag_ = _mm_mul_ps(sagAmount_, sagY1_);

        toneY1_ = _mm_cvtpd_ps(onePoleLowPass(toneGain_, tonePole_, xd, _mm_cvtps_pd(toneY1_)));
        couplingY1_ = _mm_cvtpd_ps(onePoleHighPass(couplingGain_, couplingPole_, _mm_cvtps_pd(toneY1_),
            _mm_cvtps_pd(couplingY1_), _mm_cvtps_pd(couplingX1_)));
        couplingX1_ = toneY1_;

        const float a = _mm_cvtss_f32(couplingY1_);
        const float b = _mm_cvtss_f32(_mm_shuffle_ps(couplingY1_, couplingY1_, _MM_SHUFFLE(1, 1, 1, 1)));
        const float e = Biquad::process(voicingCoefficients_, voicing_, b) * PowerAmp::kVoicingMix + a;
        return e + lowBoost_ * OnePoleFilter::lowPass(outputCoefficients_, output_, e);
    }

private:
    // Settings, lane 0 for half A and lane 1 for half B.
    __m128 resonanceScale_, presence_, presenceScale_, sagAmount_;
    __m128 b0_, b1_, b2_, a1_, a2_;
    __m128d brightGain_, brightPole_, sagGain_, sagPole_, toneGain_, tonePole_, couplingGain_, couplingPole_;
    float lowBoost_;
    Biquad::Coefficients voicingCoefficients_;
    OnePoleFilter::Coefficients outputCoefficients_;
    // States.
    __m128 sag_, resonance_, bright_, z1_, z2_;
    __m128 brightY1_, brightX1_, sagY1_, toneY1_, couplingY1_, couplingX1_;
    Biquad::State voicing_;
    OnePoleFilter::State output_;
};
