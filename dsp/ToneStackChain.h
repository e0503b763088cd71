// ToneStack::process software-pipelined in SSE2: one step runs the treble section on
// sub-sample t, the mid section on t - 1 and the bass section on t - 2, each in its own lane
// (lane 3 idles), so three biquads cost one vector step. Every lane performs Biquad::process's
// arithmetic in the same order, so outputs and section states match the scalar tone stack
// bit for bit.
//
// Like TriodeStageChain it lives for one block: it loads the sections' coefficients from the
// design and their states from the running tone stack, is filled by two steps, drained by two
// (so a block holds at least two samples), and store() writes the states back.
#pragma once

#include "SseLanes.h"
#include "ToneStack.h"

#include <emmintrin.h>

class ToneStackChain {
public:
    static constexpr int kLatency = 2;  // steps from a treble input to its bass output

    ToneStackChain(const ToneStack& design, const ToneStack& state);
    void store(ToneStack& state) const;

    // The first two steps of a block: the treble section takes x, the others have nothing yet.
    void fillFirst(float x) { advance<kMid | kBass>(x); }
    void fillSecond(float x) { advance<kBass>(x); }

    // Pushes sub-sample t into the treble section and returns the output for t - 2.
    float push(float x) { return advance<0>(x); }

    // The last two steps of a block: returns the outputs still in flight, oldest first.
    float drainFirst() { return advance<kTreble>(0.0f); }
    float drainSecond() { return advance<kTreble | kMid>(0.0f); }

private:
    enum : int { kTreble = 1, kMid = 2, kBass = 4 };

    template <int kIdle>
    float advance(float input)
    {
        // Mid takes treble's last output, bass mid's.
        const __m128 shifted = _mm_castsi128_ps(_mm_slli_si128(_mm_castps_si128(output_), 4));
        const __m128 x = _mm_move_ss(shifted, _mm_set_ss(input));
        // Transposed direct form II: z1 must see the old z2.
        const __m128 y = _mm_add_ps(_mm_mul_ps(b0_, x), z1_);
        const __m128 z1 = _mm_add_ps(_mm_sub_ps(_mm_mul_ps(b1_, x), _mm_mul_ps(a1_, y)), z2_);
        const __m128 z2 = _mm_sub_ps(_mm_mul_ps(b2_, x), _mm_mul_ps(a2_, y));
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
