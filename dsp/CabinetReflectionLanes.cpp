#include "CabinetReflectionLanes.h"

#include <algorithm>
#include <cstring>

CabinetReflectionLanes::CabinetReflectionLanes(CabinetSimulator& cabinet)
    : ring_(cabinet.reflection1.buffer)
    , delays_{cabinet.reflection1.delaySamples, cabinet.reflection2.delaySamples,
          cabinet.reflection3.delaySamples, cabinet.reflection4.delaySamples}
    , oneMinusFrac_(_mm_setr_ps(cabinet.reflection1.oneMinusFrac, cabinet.reflection2.oneMinusFrac,
          cabinet.reflection3.oneMinusFrac, cabinet.reflection4.oneMinusFrac))
    , frac_(_mm_setr_ps(cabinet.reflection1.frac, cabinet.reflection2.frac, cabinet.reflection3.frac,
          cabinet.reflection4.frac))
    , feedForward_(_mm_setr_ps(cabinet.reflection1.feedForward, cabinet.reflection2.feedForward,
          cabinet.reflection3.feedForward, cabinet.reflection4.feedForward))
    , gain_(_mm_setr_ps(
          cabinet.reflectionGain1, cabinet.reflectionGain2, cabinet.reflectionGain3, cabinet.reflectionGain4))
    , writeIndex_(cabinet.reflection1.writeIndex)
{
}

void CabinetReflectionLanes::store(CabinetSimulator& cabinet) const
{
    const int slots = std::min(written_, FractionalDelayLine::size);
    const int first = (writeIndex_ - slots) & kMask;
    const int untilEnd = std::min(slots, FractionalDelayLine::size - first);
    for (FractionalDelayLine* line : {&cabinet.reflection2, &cabinet.reflection3, &cabinet.reflection4}) {
        std::memcpy(line->buffer + first, ring_ + first, sizeof(float) * untilEnd);
        std::memcpy(line->buffer, ring_, sizeof(float) * (slots - untilEnd));
    }
    for (FractionalDelayLine* line :
        {&cabinet.reflection1, &cabinet.reflection2, &cabinet.reflection3, &cabinet.reflection4})
        line->writeIndex = writeIndex_;
}
