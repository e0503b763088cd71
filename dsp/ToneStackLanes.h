// ToneStack::process software-pipelined in SSE2: one step runs the treble section on
// sub-sample t, the mid section on t - 1 and the bass section on t - 2, each in its own lane
// (lane 3 idles), so three biquads cost one vector step. Every lane performs Biquad::process's
// arithmetic in the same order, so outputs and section states match the scalar tone stack
// bit for bit.
//
// Like every lane form of a block it lives for one block: it loads the sections' coefficients
// from the design and their states from the running tone stack, is filled by kLatency steps,
// drained by as many, and store() writes the states back.
#pragma once

#include "SseLanes.h"
#include "ToneStack.h"

#include <emmintrin.h>

class ToneStackLanes {
public:
    static constexpr int kSections = 3;             // lane 0 treble, 1 mid, 2 bass
    static constexpr int kLatency = kSections - 1;  // steps from a treble input to its bass output

    ToneStackLanes(const ToneStack::Coefficients& design, const ToneStack::State& state);
    void store(ToneStack::State& state) const;

    // Fill step kStep (0 .. kLatency - 1) of a block: the treble section takes x, the later
    // sections wait.
    template <int kStep> void fill(float x) { advance<fillingIdleLanes(kSections, kStep)>(x); }

    // Pushes sub-sample t into the treble section and returns the output for t - kLatency.
    float push(float x) { return advance<0>(x); }

    // Drain step kStep (0 .. kLatency - 1): the outputs still in flight, oldest first.
    template <int kStep> float drain() { return advance<drainingIdleLanes(kStep)>(0.0f); }

private:
    template <int kIdle> float advance(float input)
    {
        // Mid takes treble's last output, bass mid's.
        const __m128 shifted = _mm_castsi128_ps(_mm_slli_si128(_mm_castps_si128(output_), 4));
        const __m128 x = _mm_move_ss(shifted, _mm_set_ss(input));
        __m128 z1 = z1_, z2 = z2_;
        const __m128 y = biquadStep(x, b0_, b1_, b2_, a1_, a2_, z1, z2);
        z1_ = keepIdleLanes<kIdle>(z1_, z1);
        z2_ = keepIdleLanes<kIdle>(z2_, z2);
        output_ = keepIdleLanes<kIdle>(output_, y);
        return _mm_cvtss_f32(_mm_movehl_ps(y, y));
    }

    // Lane 0 treble, lane 1 mid, lane 2 bass.
    __m128 b0_, b1_, b2_, a1_, a2_;
    __m128 z1_, z2_;
    __m128 output_;  // each section's latest output
};
