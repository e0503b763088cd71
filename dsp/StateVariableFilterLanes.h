// Two StateVariableFilters, each with its own input, side by side in SSE2 lanes 0 (A) and 1
// (B) when both run the same number of loop passes and neither is silenced; otherwise they run
// as the scalar filters. Each lane performs StateVariableFilter::process's arithmetic in the
// same order and precision (its output picked by mask, which is exact), so outputs and states
// match the scalar filters bit for bit.
//
// Like the other lane forms it lives for one block: it loads the filters' settings and states
// and store() writes the states back.
#pragma once

#include "SseLanes.h"
#include "StateVariableFilter.h"

#include <emmintrin.h>

class StateVariableFilterLanes {
public:
    enum : int { kA = 1, kB = 2 };

    StateVariableFilterLanes(const StateVariableFilter& a, const StateVariableFilter& b);
    void store(StateVariableFilter& a, StateVariableFilter& b) const;

    // Runs A on xa and B on xb. A filter named in kIdle keeps its state and yields nothing.
    template <int kIdle> void process(float xa, float xb, float& ya, float& yb)
    {
        if (!lanes_) {
            if (!(kIdle & kA))
                ya = a_.process(xa);
            if (!(kIdle & kB))
                yb = b_.process(xb);
            return;
        }
        const __m128 x = _mm_unpacklo_ps(_mm_set_ss(xa), _mm_set_ss(xb));
        __m128 bandState = bandState_, lowState = lowState_, high = high_;
        const auto step
            = [&](__m128 v) { stateVariableStep(v, tuning_, damping_, bandState, lowState, high); };
        if (passes_ == 1) {
            step(x);
        } else {
            // Each pass takes the next point of the ramp from the previous input to x.
            const __m128 increment = _mm_div_ps(_mm_sub_ps(x, previousInput_), passCount_);
            __m128 v = previousInput_;
            for (int i = 0; i < passes_; ++i) {
                v = _mm_add_ps(v, increment);
                step(v);
            }
        }
        bandState_ = keepIdleLanes<kIdle>(bandState_, bandState);
        lowState_ = keepIdleLanes<kIdle>(lowState_, lowState);
        high_ = keepIdleLanes<kIdle>(high_, high);
        previousInput_ = keepIdleLanes<kIdle>(previousInput_, x);
        const __m128 picked
            = _mm_or_ps(_mm_and_ps(lowPassLanes_, lowState), _mm_andnot_ps(lowPassLanes_, bandState));
        const __m128 y = _mm_mul_ps(outputGain_, picked);
        ya = _mm_cvtss_f32(y);
        yb = _mm_cvtss_f32(_mm_shuffle_ps(y, y, _MM_SHUFFLE(1, 1, 1, 1)));
    }

private:
    StateVariableFilter a_, b_;  // run as scalar filters unless lanes_
    bool lanes_;
    int passes_;
    __m128 passCount_, tuning_, damping_, outputGain_, lowPassLanes_;
    __m128 bandState_, lowState_, high_, previousInput_;  // low and band equal the states
};
