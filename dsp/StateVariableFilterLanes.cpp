#include "StateVariableFilterLanes.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace {

bool isSilenced(const StateVariableFilter& filter)
{
    return filter.outputGain == 0.0f;
}

}  // namespace

// Gathered lane by lane in one pass, then loaded as vectors; the lanes after the filters idle
// on zeros.
StateVariableFilterLanes::StateVariableFilterLanes(std::initializer_list<const StateVariableFilter*> filters)
{
    assert(filters.size() <= kMaxFilters);
    alignas(16) float tuning[kMaxFilters] = {}, damping[kMaxFilters] = {}, outputGain[kMaxFilters] = {};
    alignas(16) float bandState[kMaxFilters] = {}, lowState[kMaxFilters] = {}, high[kMaxFilters] = {};
    alignas(16) float previousInput[kMaxFilters] = {};
    alignas(16) float passCount[kMaxFilters] = {1.0f, 1.0f, 1.0f, 1.0f};
    alignas(16) int32_t passes[kMaxFilters] = {};
    int live = 0, onePass = 0, lowPass = 0, lane = 0;
    fewestPasses_ = filters.size() > 0 ? filters.begin()[0]->iterations : 0;
    mostPasses_ = 0;
    for (const StateVariableFilter* filter : filters) {
        tuning[lane] = filter->tuning;
        damping[lane] = filter->damping;
        outputGain[lane] = filter->outputGain;
        bandState[lane] = filter->bandState;
        lowState[lane] = filter->lowState;
        high[lane] = filter->high;
        previousInput[lane] = filter->previousInput;
        fewestPasses_ = std::min(fewestPasses_, isSilenced(*filter) ? 0 : filter->iterations);
        if (!isSilenced(*filter)) {
            passes[lane] = filter->iterations;
            passCount[lane] = static_cast<float>(filter->iterations);
            mostPasses_ = std::max(mostPasses_, filter->iterations);
            live |= 1 << lane;
            onePass |= filter->iterations == 1 ? 1 << lane : 0;
        }
        lowPass |= filter->mode == StateVariableFilter::kLowPass ? 1 << lane : 0;
        ++lane;
    }
    tuning_ = _mm_load_ps(tuning);
    damping_ = _mm_load_ps(damping);
    outputGain_ = _mm_load_ps(outputGain);
    bandState_ = _mm_load_ps(bandState);
    lowState_ = _mm_load_ps(lowState);
    high_ = _mm_load_ps(high);
    previousInput_ = _mm_load_ps(previousInput);
    passes_ = _mm_load_si128(reinterpret_cast<const __m128i*>(passes));
    passCount_ = _mm_load_ps(passCount);
    liveLanes_ = laneMask(live);
    onePassLanes_ = laneMask(onePass);
    lowPassLanes_ = laneMask(lowPass);
}

void StateVariableFilterLanes::store(std::initializer_list<StateVariableFilter*> filters) const
{
    alignas(16) float bandState[kMaxFilters], lowState[kMaxFilters], high[kMaxFilters];
    alignas(16) float previousInput[kMaxFilters];
    _mm_store_ps(bandState, bandState_);
    _mm_store_ps(lowState, lowState_);
    _mm_store_ps(high, high_);
    _mm_store_ps(previousInput, previousInput_);
    int lane = 0;
    for (StateVariableFilter* filter : filters) {
        filter->band = filter->bandState = bandState[lane];
        filter->low = filter->lowState = lowState[lane];
        filter->high = high[lane];
        filter->previousInput = previousInput[lane];
        ++lane;
    }
}

int StateVariableFilterLanes::commonPasses(std::initializer_list<const StateVariableFilter*> filters)
{
    const int passes = filters.begin()[0]->iterations;
    for (const StateVariableFilter* filter : filters) {
        if (isSilenced(*filter) || filter->iterations != passes)
            return kAnyPasses;
    }
    return passes;
}
