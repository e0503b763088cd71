// CabinetSimulator::process for one block, with less work per sample and the same bits:
// - mainBand, lowBand and subBand all read x. When each runs one loop pass and none is
//   silenced, they run side by side in SSE2 lanes 0..2, each lane doing StateVariableFilter's
//   step in the same order; otherwise they run as the scalar filters.
// - The simulator configures its seven delay lines together and advances them together, so
//   they share one write index; the four reflection lines are all fed u, so their rings hold
//   the same samples. The reflections are therefore four taps of reflection1's ring, computed
//   as lanes, and store() copies the slots written during the block into the other three rings.
// Every value is computed with the scalar blocks' operations in their order and precision, so
// outputs and states match the simulator bit for bit.
//
// Like PowerAmpPair it lives for one block: it loads the simulator's settings and states and
// writes the states back in store().
#pragma once

#include "CabinetSimulator.h"

#include <emmintrin.h>

class CabinetLanes {
public:
    explicit CabinetLanes(CabinetSimulator& cabinet);
    void store(CabinetSimulator& cabinet) const;

    float process(float x)
    {
        takeInput(x);
        runHighBand();
        runHighCut();
        return reflect();
    }

    // process() in four parts, each taking over the previous one's result, so that a caller can
    // put independent work between them while each part's chain of operations completes.
    // The bands and their combs.
    void takeInput(float x)
    {
        float main, low, sub;
        if (bandLanes_) {
            const __m128 v = _mm_set1_ps(x);
            // StateVariableFilter's step: low integrates the old band state, band the new high.
            lowState_ = _mm_add_ps(_mm_mul_ps(bandState_, tuning_), lowState_);
            high_ = _mm_sub_ps(_mm_sub_ps(v, lowState_), _mm_mul_ps(bandState_, damping_));
            bandState_ = _mm_add_ps(bandState_, _mm_mul_ps(tuning_, high_));
            const __m128 out = _mm_mul_ps(outputGain_, bandState_);
            main = _mm_cvtss_f32(out);
            low = _mm_cvtss_f32(_mm_shuffle_ps(out, out, _MM_SHUFFLE(1, 1, 1, 1)));
            sub = _mm_cvtss_f32(_mm_movehl_ps(out, out));
            lastInput_ = x;
        } else {
            main = mainBand_.process(x);
            low = lowBand_.process(x);
            sub = subBand_.process(x);
        }
        const float p = mainComb_.process(main, writeIndex_);
        u_ = subComb_.process(p + low + sub, writeIndex_);
    }

    // The presence band and its comb.
    void runHighBand() { h_ = highComb_.process(highBand_.process(u_) * 1.414f, writeIndex_); }

    // The top cut.
    void runHighCut() { u_ = highCut_.process(u_ + h_); }

    // Each reflection is u plus its delayed copy (k = 1), times the path's level, summed in path
    // order; returns the sample's output.
    float reflect()
    {
        const int w = writeIndex_;
        const float u = u_;
        reflectionRing_[w] = u;
        const __m128 newer = gather(w - reflectionDelays_[0], w - reflectionDelays_[1],
            w - reflectionDelays_[2], w - reflectionDelays_[3]);
        const __m128 older = gather(w - reflectionDelays_[0] - 1, w - reflectionDelays_[1] - 1,
            w - reflectionDelays_[2] - 1, w - reflectionDelays_[3] - 1);
        const __m128 delayed
            = _mm_add_ps(_mm_mul_ps(newer, reflectionOneMinusFrac_), _mm_mul_ps(older, reflectionFrac_));
        const __m128 r = _mm_mul_ps(
            _mm_add_ps(_mm_set1_ps(u), _mm_mul_ps(reflectionFeedForward_, delayed)), reflectionGain_);
        writeIndex_ = (w + 1) & kMask;
        ++written_;

        float y = u + _mm_cvtss_f32(r);
        y += _mm_cvtss_f32(_mm_shuffle_ps(r, r, _MM_SHUFFLE(1, 1, 1, 1)));
        y += _mm_cvtss_f32(_mm_movehl_ps(r, r));
        return y + _mm_cvtss_f32(_mm_shuffle_ps(r, r, _MM_SHUFFLE(3, 3, 3, 3)));
    }

private:
    static constexpr int kMask = FractionalDelayLine::size - 1;

    // FractionalDelayLine::process on a ring it shares the write index with. The masks wrap
    // both taps as the line's branches do (a delay of 1024 reads the slot just written).
    struct Comb {
        explicit Comb(FractionalDelayLine& line)
            : ring(line.buffer)
            , delay(line.delaySamples)
            , oneMinusFrac(line.oneMinusFrac)
            , frac(line.frac)
            , feedForward(line.feedForward)
        {
        }

        float process(float x, int w)
        {
            ring[w] = x;
            const int r = (w - delay) & kMask;
            const float delayed = ring[r] * oneMinusFrac + ring[(r - 1) & kMask] * frac;
            return x + feedForward * delayed;
        }

        float* ring;
        int delay;
        float oneMinusFrac, frac, feedForward;
    };

    // Lanes 0..3: the reflection ring at slots a..d, wrapped.
    __m128 gather(int a, int b, int c, int d) const
    {
        const __m128 ab = _mm_unpacklo_ps(
            _mm_load_ss(reflectionRing_ + (a & kMask)), _mm_load_ss(reflectionRing_ + (b & kMask)));
        const __m128 cd = _mm_unpacklo_ps(
            _mm_load_ss(reflectionRing_ + (c & kMask)), _mm_load_ss(reflectionRing_ + (d & kMask)));
        return _mm_movelh_ps(ab, cd);
    }

    bool bandLanes_;
    StateVariableFilter mainBand_, lowBand_, subBand_;  // used when bandLanes_ is false
    __m128 tuning_, damping_, outputGain_;              // lanes 0..2: mainBand, lowBand, subBand
    __m128 bandState_, lowState_, high_;
    float lastInput_;

    StateVariableFilter highBand_, highCut_;
    Comb mainComb_, subComb_, highComb_;

    float* reflectionRing_;
    int reflectionDelays_[4];
    __m128 reflectionOneMinusFrac_, reflectionFrac_, reflectionFeedForward_, reflectionGain_;

    float u_ = 0.0f, h_ = 0.0f;  // the sample's results between the parts
    int writeIndex_;             // shared by all seven lines
    int written_ = 0;            // samples written this block
};
