// Up to four StateVariableFilters side by side in SSE2 lanes, each on the input of its own lane.
// Each lane performs StateVariableFilter::process's arithmetic in the same order and precision
// (its output picked by mask, which is exact), so outputs and states match the scalar filters
// bit for bit.
//
// The caller picks the form of process() once per block: kPasses 1 or more when every filter
// runs that many loop passes and none is silenced (commonPasses() tells), kAnyPasses for any
// mix, which masks each lane's passes instead of branching on them.
//
// Like the other lane forms it lives for one block: it loads the filters' settings and states
// and store() writes the states back.
#pragma once

#include "SseLanes.h"
#include "StateVariableFilter.h"

#include <emmintrin.h>
#include <initializer_list>

class StateVariableFilterLanes {
public:
    static constexpr int kAnyPasses = 0;
    static constexpr int kMaxFilters = 4;

    // Lane i takes the i-th of at most four filters; the lanes after them idle.
    explicit StateVariableFilterLanes(std::initializer_list<const StateVariableFilter*> filters);
    // Writes lane i's states into the i-th filter; the same filters as were loaded.
    void store(std::initializer_list<StateVariableFilter*> filters) const;

    // The loop passes that every filter runs when they all run the same number and none is
    // silenced, kAnyPasses otherwise.
    static int commonPasses(std::initializer_list<const StateVariableFilter*> filters);

    // Runs each filter on its lane of x and returns its output in that lane. A filter whose lane
    // is in kIdle keeps its state and yields nothing. kPasses as described above.
    template <int kPasses, int kIdle = 0> __m128 process(__m128 x)
    {
        __m128 bandState = bandState_, lowState = lowState_, high = high_;
        if constexpr (kPasses == 1) {
            stateVariableStep(x, tuning_, damping_, bandState, lowState, high);
        } else if constexpr (kPasses > 1) {
            // Each pass takes the next point of the ramp from the previous input to x.
            const __m128 increment
                = _mm_div_ps(_mm_sub_ps(x, previousInput_), _mm_set1_ps(static_cast<float>(kPasses)));
            __m128 v = previousInput_;
            for (int pass = 0; pass < kPasses; ++pass) {
                v = _mm_add_ps(v, increment);
                stateVariableStep(v, tuning_, damping_, bandState, lowState, high);
            }
        } else {
            runEachLanesPasses(x, bandState, lowState, high);
        }
        bandState_ = keepIdleLanes<kIdle>(bandState_, bandState);
        lowState_ = keepIdleLanes<kIdle>(lowState_, lowState);
        high_ = keepIdleLanes<kIdle>(high_, high);
        const __m128 y = _mm_mul_ps(outputGain_, selectLanes(lowPassLanes_, lowState, bandState));
        if constexpr (kPasses != kAnyPasses) {
            previousInput_ = keepIdleLanes<kIdle>(previousInput_, x);
            return y;
        }
        // A silenced filter keeps the start of its ramp and yields 0.
        previousInput_ = keepIdleLanes<kIdle>(previousInput_, selectLanes(liveLanes_, x, previousInput_));
        return _mm_and_ps(liveLanes_, y);
    }

private:
    // The ramp of each lane's own pass count; a lane past its passes, or silenced, keeps its
    // state. The lanes after the loaded filters step along on harmless values. A filter of one
    // pass steps on x itself, not on the ramp's end.
    void runEachLanesPasses(__m128 x, __m128& bandState, __m128& lowState, __m128& high) const
    {
        const __m128 increment = _mm_div_ps(_mm_sub_ps(x, previousInput_), passCount_);
        __m128 v = previousInput_;
        int pass = 0;
        for (; pass < fewestPasses_; ++pass) {  // the passes every loaded filter runs
            v = _mm_add_ps(v, increment);
            stateVariableStep(selectLanes(onePassLanes_, x, v), tuning_, damping_, bandState, lowState, high);
        }
        for (; pass < mostPasses_; ++pass) {
            v = _mm_add_ps(v, increment);
            __m128 steppedBand = bandState, steppedLow = lowState, steppedHigh = high;
            stateVariableStep(
                selectLanes(onePassLanes_, x, v), tuning_, damping_, steppedBand, steppedLow, steppedHigh);
            const __m128 running = _mm_castsi128_ps(_mm_cmplt_epi32(_mm_set1_epi32(pass), passes_));
            bandState = selectLanes(running, steppedBand, bandState);
            lowState = selectLanes(running, steppedLow, lowState);
            high = selectLanes(running, steppedHigh, high);
        }
    }

    int fewestPasses_;     // of any loaded filter, 0 for a silenced one
    int mostPasses_;       // of any loaded filter
    __m128i passes_;       // per lane; 0 for a silenced filter or an idle lane
    __m128 passCount_;     // the same as floats, 1 where 0, for the ramp's step
    __m128 liveLanes_;     // lanes whose filter is loaded and not silenced
    __m128 onePassLanes_;  // live lanes of one pass
    __m128 lowPassLanes_;
    __m128 tuning_, damping_, outputGain_;
    __m128 bandState_, lowState_, high_, previousInput_;  // low and band equal the states
};
