// CabinetSimulator::process for one block, with less work per sample and the same bits:
// - mainBand, lowBand and subBand all read x. When each runs one loop pass and none is
//   silenced, they run side by side in SSE2 lanes 0..2, each lane doing StateVariableFilter's
//   step in the same order; otherwise they run as the scalar filters.
// - highBand and highCut run as a StateVariableFilterLanes, pipelined: one step runs highBand on
//   sample i and highCut on sample i - 1, so each sample's output comes one step late.
// - The simulator configures its seven delay lines together and advances them together, so
//   they share one write index; the four reflection lines are all fed u, so their rings hold
//   the same samples. The reflections are therefore four taps of reflection1's ring, computed
//   as lanes, and store() copies the slots written during the block into the other three rings.
// Every value is computed with the scalar blocks' operations in their order and precision, so
// outputs and states match the simulator bit for bit.
//
// Like every lane form of a block it lives for one block: it loads the simulator's settings and
// states, is filled by kLatency steps and drained by as many (so a block holds at least one
// sample), and store() writes the states back.
#pragma once

#include "CabinetSimulator.h"
#include "StateVariableFilterLanes.h"

#include <emmintrin.h>

class CabinetLanes {
public:
    explicit CabinetLanes(CabinetSimulator& cabinet);
    void store(CabinetSimulator& cabinet) const;

    static constexpr int kLatency = 1;  // steps from a sample's input to its output

    // The first step of a block: sample 0 goes in, nothing comes out yet.
    template <int kStep> void fill(float x)
    {
        static_assert(kStep == 0, "one fill step");
        takeInput(x);
        runHighFilters<StateVariableFilterLanes::kB>();
    }

    // Sample i in, the output for sample i - 1 out.
    float push(float x)
    {
        takeInput(x);
        runHighFilters();
        return reflect();
    }

    // The last step of a block: the output for its last sample.
    template <int kStep> float drain()
    {
        static_assert(kStep == 0, "one drain step");
        runHighFilters<StateVariableFilterLanes::kA>();
        return reflect();
    }

    // push() in three parts, each taking over the previous one's result, so that a caller can
    // put independent work between them while each part's chain of operations completes.
    // Sample i through the bands and their combs.
    void takeInput(float x)
    {
        float main, low, sub;
        if (bandLanes_) {
            const __m128 v = _mm_set1_ps(x);
            stateVariableStep(v, tuning_, damping_, bandState_, lowState_, high_);
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

    // The presence band and its comb on sample i, the top cut on sample i - 1.
    template <int kIdle = 0> void runHighFilters()
    {
        float band = 0.0f;
        highFilters_.process<kIdle>(u_, cutInput_, band, cutOutput_);
        if (!(kIdle & StateVariableFilterLanes::kA)) {
            cutInput_ = u_ + highComb_.process(band * CabinetSimulator::kHighBandLift, writeIndex_);
            writeIndex_ = (writeIndex_ + 1) & kMask;
        }
    }

    // Each reflection is u plus its delayed copy (k = 1), times the path's level, summed in path
    // order; returns the output for sample i - 1.
    float reflect()
    {
        const int w = reflectionIndex_;
        const float u = cutOutput_;
        reflectionRing_[w] = u;
        const __m128 newer = gather(w - reflectionDelays_[0], w - reflectionDelays_[1],
            w - reflectionDelays_[2], w - reflectionDelays_[3]);
        const __m128 older = gather(w - reflectionDelays_[0] - 1, w - reflectionDelays_[1] - 1,
            w - reflectionDelays_[2] - 1, w - reflectionDelays_[3] - 1);
        const __m128 delayed
            = _mm_add_ps(_mm_mul_ps(newer, reflectionOneMinusFrac_), _mm_mul_ps(older, reflectionFrac_));
        const __m128 r = _mm_mul_ps(
            _mm_add_ps(_mm_set1_ps(u), _mm_mul_ps(reflectionFeedForward_, delayed)), reflectionGain_);
        reflectionIndex_ = (w + 1) & kMask;
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

    StateVariableFilterLanes highFilters_;  // A: highBand, B: highCut
    Comb mainComb_, subComb_, highComb_;

    float* reflectionRing_;
    int reflectionDelays_[4];
    __m128 reflectionOneMinusFrac_, reflectionFrac_, reflectionFeedForward_, reflectionGain_;

    float u_ = 0.0f;          // sample i after the sub comb
    float cutInput_ = 0.0f;   // sample i - 1 before the top cut
    float cutOutput_ = 0.0f;  // sample i - 1 after the top cut
    int writeIndex_;          // the combs' slot for sample i
    int reflectionIndex_;     // the reflection ring's slot for sample i - 1
    int written_ = 0;         // samples written this block
};
