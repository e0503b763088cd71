#include "StateVariableFilterLanes.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace {

// The value of `field` of each filter in its lane, `idle` in the lanes after them.
__m128 lanes(std::initializer_list<const StateVariableFilter*> filters, float StateVariableFilter::*field,
    float idle = 0.0f)
{
    alignas(16) float values[StateVariableFilterLanes::kMaxFilters] = {idle, idle, idle, idle};
    int lane = 0;
    for (const StateVariableFilter* filter : filters)
        values[lane++] = filter->*field;
    return _mm_load_ps(values);
}

bool isSilenced(const StateVariableFilter& filter)
{
    return filter.outputGain == 0.0f;
}

}  // namespace

StateVariableFilterLanes::StateVariableFilterLanes(std::initializer_list<const StateVariableFilter*> filters)
    : filterCount_(static_cast<int>(filters.size()))
    , tuning_(lanes(filters, &StateVariableFilter::tuning))
    , damping_(lanes(filters, &StateVariableFilter::damping))
    , outputGain_(lanes(filters, &StateVariableFilter::outputGain))
    , bandState_(lanes(filters, &StateVariableFilter::bandState))
    , lowState_(lanes(filters, &StateVariableFilter::lowState))
    , high_(lanes(filters, &StateVariableFilter::high))
    , previousInput_(lanes(filters, &StateVariableFilter::previousInput))
{
    assert(filterCount_ <= kMaxFilters);
    alignas(16) int32_t passes[kMaxFilters] = {};
    alignas(16) float passCount[kMaxFilters] = {1.0f, 1.0f, 1.0f, 1.0f};
    int live = 0, onePass = 0, lowPass = 0, lane = 0;
    fewestPasses_ = filters.size() > 0 ? filters.begin()[0]->iterations : 0;
    mostPasses_ = 0;
    for (const StateVariableFilter* filter : filters) {
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
    passes_ = _mm_load_si128(reinterpret_cast<const __m128i*>(passes));
    passCount_ = _mm_load_ps(passCount);
    liveLanes_ = laneMask(live);
    onePassLanes_ = laneMask(onePass);
    lowPassLanes_ = laneMask(lowPass);
}

void StateVariableFilterLanes::store(std::initializer_list<StateVariableFilter*> filters) const
{
    assert(static_cast<int>(filters.size()) == filterCount_);
    int lane = 0;
    for (StateVariableFilter* filter : filters) {
        filter->band = filter->bandState = laneValue(bandState_, lane);
        filter->low = filter->lowState = laneValue(lowState_, lane);
        filter->high = laneValue(high_, lane);
        filter->previousInput = laneValue(previousInput_, lane);
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
