// The cabinet's four speaker paths as SSE2 lanes, for CabinetLanes. The simulator configures
// its delay lines together and feeds all four reflection lines u, so their rings hold the same
// samples and share one write index: the reflections are four taps of reflection1's ring,
// computed side by side, and store() copies the slots written during the block into the other
// three rings. Each reflection is computed with FractionalDelayLine's operations in its order
// and precision, summed in path order, so the output matches the simulator bit for bit.
#pragma once

#include "CabinetSimulator.h"

#include <emmintrin.h>

class CabinetReflectionLanes {
public:
    explicit CabinetReflectionLanes(CabinetSimulator& cabinet);
    // Writes the rings and write indices of the four reflection lines back.
    void store(CabinetSimulator& cabinet) const;

    // u plus each reflection (u plus its delayed copy, k = 1) times the path's level.
    float process(float u)
    {
        const int w = writeIndex_;
        ring_[w] = u;
        const __m128 newer = gather(w - delays_[0], w - delays_[1], w - delays_[2], w - delays_[3]);
        const __m128 older
            = gather(w - delays_[0] - 1, w - delays_[1] - 1, w - delays_[2] - 1, w - delays_[3] - 1);
        const __m128 delayed = _mm_add_ps(_mm_mul_ps(newer, oneMinusFrac_), _mm_mul_ps(older, frac_));
        const __m128 r = _mm_mul_ps(_mm_add_ps(_mm_set1_ps(u), _mm_mul_ps(feedForward_, delayed)), gain_);
        writeIndex_ = (w + 1) & kMask;
        ++written_;

        float y = u + _mm_cvtss_f32(r);
        y += _mm_cvtss_f32(_mm_shuffle_ps(r, r, _MM_SHUFFLE(1, 1, 1, 1)));
        y += _mm_cvtss_f32(_mm_movehl_ps(r, r));
        return y + _mm_cvtss_f32(_mm_shuffle_ps(r, r, _MM_SHUFFLE(3, 3, 3, 3)));
    }

private:
    static constexpr int kMask = FractionalDelayLine::size - 1;

    // Lanes 0..3: the ring at slots a..d, wrapped as the line's branches wrap them.
    __m128 gather(int a, int b, int c, int d) const
    {
        const __m128 ab = _mm_unpacklo_ps(_mm_load_ss(ring_ + (a & kMask)), _mm_load_ss(ring_ + (b & kMask)));
        const __m128 cd = _mm_unpacklo_ps(_mm_load_ss(ring_ + (c & kMask)), _mm_load_ss(ring_ + (d & kMask)));
        return _mm_movelh_ps(ab, cd);
    }

    float* ring_;  // reflection1's
    int delays_[4];
    __m128 oneMinusFrac_, frac_, feedForward_, gain_;  // lanes 0..3: reflections 1..4
    int writeIndex_;                                   // the slot of the next u
    int written_ = 0;                                  // samples written this block
};
