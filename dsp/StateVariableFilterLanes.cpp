#include "StateVariableFilterLanes.h"

namespace {

void storeLane(StateVariableFilter& filter, int index, __m128 bandState, __m128 lowState, __m128 high,
    __m128 previousInput)
{
    filter.band = filter.bandState = laneValue(bandState, index);
    filter.low = filter.lowState = laneValue(lowState, index);
    filter.high = laneValue(high, index);
    filter.previousInput = laneValue(previousInput, index);
}

}  // namespace

StateVariableFilterLanes::StateVariableFilterLanes(const StateVariableFilter& a, const StateVariableFilter& b)
    : a_(a)
    , b_(b)
    , lanes_(a.iterations == b.iterations && a.outputGain != 0.0f && b.outputGain != 0.0f)
    , passes_(a.iterations)
    , passCount_(lanePair(static_cast<float>(a.iterations), static_cast<float>(b.iterations), 1.0f))
    , tuning_(lanePair(a.tuning, b.tuning))
    , damping_(lanePair(a.damping, b.damping))
    , outputGain_(lanePair(a.outputGain, b.outputGain))
    , lowPassLanes_(laneMask((a.mode == StateVariableFilter::kLowPass ? kA : 0)
          | (b.mode == StateVariableFilter::kLowPass ? kB : 0)))
    , bandState_(lanePair(a.bandState, b.bandState))
    , lowState_(lanePair(a.lowState, b.lowState))
    , high_(lanePair(a.high, b.high))
    , previousInput_(lanePair(a.previousInput, b.previousInput))
{
}

void StateVariableFilterLanes::store(StateVariableFilter& a, StateVariableFilter& b) const
{
    a = a_;
    b = b_;
    if (lanes_) {
        storeLane(a, 0, bandState_, lowState_, high_, previousInput_);
        storeLane(b, 1, bandState_, lowState_, high_, previousInput_);
    }
}
