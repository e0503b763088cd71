#include "CabinetLanes.h"

#include <algorithm>
#include <cstring>

namespace {

// Lanes 0..2 take the three bands' field, lane 3 idles at zero.
__m128 bands(const StateVariableFilter& main, const StateVariableFilter& low, const StateVariableFilter& sub,
    float StateVariableFilter::*field)
{
    return laneTriple(main.*field, low.*field, sub.*field);
}

// The band's own lane values back into its scalar form, as its step and process leave them.
void storeBand(
    StateVariableFilter& band, int index, __m128 bandState, __m128 lowState, __m128 high, float lastInput)
{
    band.bandState = band.band = laneValue(bandState, index);
    band.lowState = band.low = laneValue(lowState, index);
    band.high = laneValue(high, index);
    band.previousInput = lastInput;
}

bool runsOneLivePass(const StateVariableFilter& band)
{
    return band.iterations == 1 && band.outputGain != 0.0f && band.mode == StateVariableFilter::kBandPass;
}

}  // namespace

CabinetLanes::CabinetLanes(CabinetSimulator& cabinet)
    : bandLanes_(runsOneLivePass(cabinet.mainBand) && runsOneLivePass(cabinet.lowBand)
        && runsOneLivePass(cabinet.subBand))
    , mainBand_(cabinet.mainBand)
    , lowBand_(cabinet.lowBand)
    , subBand_(cabinet.subBand)
    , tuning_(bands(mainBand_, lowBand_, subBand_, &StateVariableFilter::tuning))
    , damping_(bands(mainBand_, lowBand_, subBand_, &StateVariableFilter::damping))
    , outputGain_(bands(mainBand_, lowBand_, subBand_, &StateVariableFilter::outputGain))
    , bandState_(bands(mainBand_, lowBand_, subBand_, &StateVariableFilter::bandState))
    , lowState_(bands(mainBand_, lowBand_, subBand_, &StateVariableFilter::lowState))
    , high_(bands(mainBand_, lowBand_, subBand_, &StateVariableFilter::high))
    , lastInput_(mainBand_.previousInput)
    , highFilters_(cabinet.highBand, cabinet.highCut)
    , mainComb_(cabinet.mainComb)
    , subComb_(cabinet.subComb)
    , highComb_(cabinet.highComb)
    , reflectionRing_(cabinet.reflection1.buffer)
    , reflectionDelays_{cabinet.reflection1.delaySamples, cabinet.reflection2.delaySamples,
          cabinet.reflection3.delaySamples, cabinet.reflection4.delaySamples}
    , reflectionOneMinusFrac_(_mm_setr_ps(cabinet.reflection1.oneMinusFrac, cabinet.reflection2.oneMinusFrac,
          cabinet.reflection3.oneMinusFrac, cabinet.reflection4.oneMinusFrac))
    , reflectionFrac_(_mm_setr_ps(cabinet.reflection1.frac, cabinet.reflection2.frac,
          cabinet.reflection3.frac, cabinet.reflection4.frac))
    , reflectionFeedForward_(_mm_setr_ps(cabinet.reflection1.feedForward, cabinet.reflection2.feedForward,
          cabinet.reflection3.feedForward, cabinet.reflection4.feedForward))
    , reflectionGain_(_mm_setr_ps(
          cabinet.reflectionGain1, cabinet.reflectionGain2, cabinet.reflectionGain3, cabinet.reflectionGain4))
    , writeIndex_(cabinet.reflection1.writeIndex)
    , reflectionIndex_(writeIndex_)
{
}

void CabinetLanes::store(CabinetSimulator& cabinet) const
{
    cabinet.mainBand = mainBand_;
    cabinet.lowBand = lowBand_;
    cabinet.subBand = subBand_;
    if (bandLanes_ && written_ > 0) {
        storeBand(cabinet.mainBand, 0, bandState_, lowState_, high_, lastInput_);
        storeBand(cabinet.lowBand, 1, bandState_, lowState_, high_, lastInput_);
        storeBand(cabinet.subBand, 2, bandState_, lowState_, high_, lastInput_);
    }
    highFilters_.store(cabinet.highBand, cabinet.highCut);

    // The slots this block wrote into reflection1's ring, into the other three rings.
    const int slots = std::min(written_, FractionalDelayLine::size);
    const int first = (reflectionIndex_ - slots) & kMask;
    const int untilEnd = std::min(slots, FractionalDelayLine::size - first);
    for (FractionalDelayLine* line : {&cabinet.reflection2, &cabinet.reflection3, &cabinet.reflection4}) {
        std::memcpy(line->buffer + first, reflectionRing_ + first, sizeof(float) * untilEnd);
        std::memcpy(line->buffer, reflectionRing_, sizeof(float) * (slots - untilEnd));
    }

    for (FractionalDelayLine* line : {&cabinet.mainComb, &cabinet.subComb, &cabinet.highComb,
             &cabinet.reflection1, &cabinet.reflection2, &cabinet.reflection3, &cabinet.reflection4})
        line->writeIndex = writeIndex_;
}
