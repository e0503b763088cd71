// CabinetSimulator::process for one block, with less work per sample and the same bits:
// - mainBand, lowBand and subBand all read x, so they run side by side in one
//   StateVariableFilterLanes, each in its lane.
// - highBand and highCut run as another, pipelined: one step runs highBand on sample i and
//   highCut on sample i - 1, so each sample's output comes one step late.
// - The combs share one write index, as the simulator keeps its delay lines in step, and the
//   reflections run as CabinetReflectionLanes.
// Every value is computed with the scalar blocks' operations in their order and precision, so
// outputs and states match the simulator bit for bit.
//
// kBandPasses and kHighPasses are the loop passes of the bands and of the high pair, the form
// of StateVariableFilterLanes::process that each runs: a block runs the form that suits() the
// simulator, chosen once, so that no step branches on the filters' settings.
//
// Like every lane form of a block it lives for one block: it loads the simulator's settings and
// states, is filled by kLatency steps and drained by as many (so a block holds at least one
// sample), and store() writes the states back.
#pragma once

#include "CabinetReflectionLanes.h"
#include "CabinetSimulator.h"
#include "StateVariableFilterLanes.h"

#include <emmintrin.h>

template <int kBandPasses, int kHighPasses> class CabinetLanes {
public:
    static constexpr int kLatency = 1;  // steps from a sample's input to its output

    explicit CabinetLanes(CabinetSimulator& cabinet)
        : bands_({&cabinet.mainBand, &cabinet.lowBand, &cabinet.subBand})
        , highFilters_({&cabinet.highBand, &cabinet.highCut})
        , mainComb_(cabinet.mainComb)
        , subComb_(cabinet.subComb)
        , highComb_(cabinet.highComb)
        , reflections_(cabinet)
        , writeIndex_(cabinet.mainComb.writeIndex)
    {
    }

    // True when this form runs `cabinet`'s filters as they are set.
    static bool suits(const CabinetSimulator& cabinet)
    {
        return suitsPasses<kBandPasses>({&cabinet.mainBand, &cabinet.lowBand, &cabinet.subBand})
            && suitsPasses<kHighPasses>({&cabinet.highBand, &cabinet.highCut});
    }

    void store(CabinetSimulator& cabinet) const
    {
        bands_.store({&cabinet.mainBand, &cabinet.lowBand, &cabinet.subBand});
        highFilters_.store({&cabinet.highBand, &cabinet.highCut});
        reflections_.store(cabinet);
        for (FractionalDelayLine* line : {&cabinet.mainComb, &cabinet.subComb, &cabinet.highComb})
            line->writeIndex = writeIndex_;
    }

    // The first step of a block: sample 0 goes in, nothing comes out yet.
    template <int kStep> void fill(float x)
    {
        static_assert(kStep == 0, "one fill step");
        takeInput(x);
        runHighFilters<kHighCut>();
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
        runHighFilters<kHighBand>();
        return reflect();
    }

    // push() in three parts, each taking over the previous one's result, so that a caller can
    // put independent work between them while each part's chain of operations completes.
    // Sample i through the bands and their combs.
    void takeInput(float x)
    {
        const __m128 out = bands_.template process<kBandPasses>(_mm_set1_ps(x));
        const float main = _mm_cvtss_f32(out);
        const float low = _mm_cvtss_f32(_mm_shuffle_ps(out, out, _MM_SHUFFLE(1, 1, 1, 1)));
        const float sub = _mm_cvtss_f32(_mm_movehl_ps(out, out));
        const float p = mainComb_.process(main, writeIndex_);
        u_ = subComb_.process(p + low + sub, writeIndex_);
    }

    // The presence band and its comb on sample i, the top cut on sample i - 1; a filter named in
    // kIdle waits.
    template <int kIdle = 0> void runHighFilters()
    {
        const __m128 out = highFilters_.template process<kHighPasses, kIdle>(
            _mm_unpacklo_ps(_mm_set_ss(u_), _mm_set_ss(cutInput_)));
        if constexpr (!(kIdle & kHighCut))
            cutOutput_ = _mm_cvtss_f32(_mm_shuffle_ps(out, out, _MM_SHUFFLE(1, 1, 1, 1)));
        if constexpr (!(kIdle & kHighBand)) {
            const float band = _mm_cvtss_f32(out);
            cutInput_ = u_ + highComb_.process(band * CabinetSimulator::kHighBandLift, writeIndex_);
            writeIndex_ = (writeIndex_ + 1) & kMask;
        }
    }

    // The reflections of sample i - 1's top cut output: the output for sample i - 1.
    float reflect() { return reflections_.process(cutOutput_); }

private:
    static constexpr int kMask = FractionalDelayLine::size - 1;
    enum : int { kHighBand = 1, kHighCut = 2 };  // highFilters_' lanes

    template <int kPasses> static bool suitsPasses(std::initializer_list<const StateVariableFilter*> filters)
    {
        return kPasses == StateVariableFilterLanes::kAnyPasses
            || StateVariableFilterLanes::commonPasses(filters) == kPasses;
    }

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

    StateVariableFilterLanes bands_;        // lanes 0..2: mainBand, lowBand, subBand
    StateVariableFilterLanes highFilters_;  // lane 0: highBand, lane 1: highCut
    Comb mainComb_, subComb_, highComb_;
    CabinetReflectionLanes reflections_;

    float u_ = 0.0f;          // sample i after the sub comb
    float cutInput_ = 0.0f;   // sample i - 1 before the top cut
    float cutOutput_ = 0.0f;  // sample i - 1 after the top cut
    int writeIndex_;          // the combs' slot for sample i
};
