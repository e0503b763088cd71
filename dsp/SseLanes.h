// Lane helpers shared by the SSE2 forms of the blocks. A set of lanes is a bit mask: bit i
// stands for lane i. The pipelined forms run stage i of a block in lane i, each stage one step
// behind the one before, so their steps leave some lanes idle while they fill or drain.
#pragma once

#include <emmintrin.h>

// All bits set in the lanes of `lanes`, clear in the others.
inline __m128 laneMask(int lanes)
{
    return _mm_castsi128_ps(
        _mm_set_epi32(lanes & 8 ? -1 : 0, lanes & 4 ? -1 : 0, lanes & 2 ? -1 : 0, lanes & 1 ? -1 : 0));
}

// a in the lanes whose bits `mask` sets, b in the others.
inline __m128 selectLanes(__m128 mask, __m128 a, __m128 b)
{
    return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b));
}

// The old value in the lanes of kIdle, the fresh one elsewhere.
template <int kIdle> inline __m128 keepIdleLanes(__m128 old, __m128 fresh)
{
    if (kIdle == 0)
        return fresh;
    return selectLanes(laneMask(kIdle), old, fresh);
}

// Fill step `step` of a pipeline of `stages` lanes: the stages after `step` have no sample yet.
constexpr int fillingIdleLanes(int stages, int step)
{
    return ((1 << stages) - 1) & ~((2 << step) - 1);
}

// Drain step `step`: the stages up to `step` have no sample left.
constexpr int drainingIdleLanes(int step)
{
    return (2 << step) - 1;
}

// The value of lane `index`.
inline float laneValue(__m128 v, int index)
{
    alignas(16) float lanes[4];
    _mm_store_ps(lanes, v);
    return lanes[index];
}

// Lanes 0 and 1 of a pair; lanes 2 and 3 idle on `idle`.
inline __m128 lanePair(float a, float b, float idle = 0.0f)
{
    return _mm_setr_ps(a, b, idle, idle);
}

// Lanes 0, 1, 2 of a triple; lane 3 idles on zero.
inline __m128 laneTriple(float a, float b, float c)
{
    return _mm_setr_ps(a, b, c, 0.0f);
}
