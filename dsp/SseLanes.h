// Lane bookkeeping shared by the SSE2 pipelines, whose steps leave some lanes idle while they
// fill or drain. A set of lanes is a bit mask: bit i stands for lane i.
#pragma once

#include <emmintrin.h>

// All bits set in the lanes of `lanes`, clear in the others.
inline __m128 laneMask(int lanes)
{
    return _mm_castsi128_ps(_mm_set_epi32(lanes & 8 ? -1 : 0, lanes & 4 ? -1 : 0, lanes & 2 ? -1 : 0,
                                          lanes & 1 ? -1 : 0));
}

// The old value in the lanes of kIdle, the fresh one elsewhere.
template <int kIdle>
inline __m128 keepIdleLanes(__m128 old, __m128 fresh)
{
    if (kIdle == 0)
        return fresh;
    const __m128 keep = laneMask(kIdle);
    return _mm_or_ps(_mm_and_ps(keep, old), _mm_andnot_ps(keep, fresh));
}
