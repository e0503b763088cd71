#include "StateVariableFilterPair.h"

namespace {

// Lanes 2 and 3 idle on zero states, zero coefficients and a pass count of 1.
__m128 pair(float a, float b, float idle = 0.0f)
{
    return _mm_setr_ps(a, b, idle, idle);
}

float lane(__m128 v, int index)
{
    alignas(16) float lanes[4];
    _mm_store_ps(lanes, v);
    return lanes[index];
}

void storeLane(StateVariableFilter& filter, int index, __m128 bandState, __m128 lowState, __m128 high,
    __m128 previousInput)
{
    filter.band = filter.bandState = lane(bandState, index);
    filter.low = filter.lowState = lane(lowState, index);
    filter.high = lane(high, index);
    filter.previousInput = lane(previousInput, index);
}

}  // namespace

StateVariableFilterPair::StateVariableFilterPair(const StateVariableFilter& a, const StateVariableFilter& b)
    : a_(a)
    , b_(b)
    , lanes_(a.iterations == b.iterations && a.outputGain != 0.0f && b.outputGain != 0.0f)
    , passes_(a.iterations)
    , passCount_(pair(static_cast<float>(a.iterations), static_cast<float>(b.iterations), 1.0f))
    , tuning_(pair(a.tuning, b.tuning))
    , damping_(pair(a.damping, b.damping))
    , outputGain_(pair(a.outputGain, b.outputGain))
    , lowPassLanes_(laneMask((a.mode == StateVariableFilter::kLowPass ? kA : 0)
          | (b.mode == StateVariableFilter::kLowPass ? kB : 0)))
    , bandState_(pair(a.bandState, b.bandState))
    , lowState_(pair(a.lowState, b.lowState))
    , high_(pair(a.high, b.high))
    , previousInput_(pair(a.previousInput, b.previousInput))
{
}

void StateVariableFilterPair::store(StateVariableFilter& a, StateVariableFilter& b) const
{
    a = a_;
    b = b_;
    if (lanes_) {
        storeLane(a, 0, bandState_, lowState_, high_, previousInput_);
        storeLane(b, 1, bandState_, lowState_, high_, previousInput_);
    }
}
