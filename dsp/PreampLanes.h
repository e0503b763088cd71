// Preamp::process software-pipelined in SSE2: one step runs stage 1 on sub-sample t, stage 2
// on t - 1 and stage 3 on t - 2, each in its own lane (lane 3 idles), so the stages' long
// loop-carried chains run side by side. Every lane performs the scalar TriodeStage arithmetic
// in the same order and precision (one-pole filters in double, the rest in float), and the
// feedback value is Preamp's, so outputs and states match Preamp bit for bit.
//
// Like every lane form of a block it lives for one block: it loads coefficients from the
// design and states from the running preamp, is filled by
// kLatency steps and drained by as many (so a block holds at least kLatency samples), and
// store() writes the states back. Nothing stays in flight between blocks, so settings changed
// between blocks take effect exactly where they would in the scalar chain.
#pragma once

#include "Preamp.h"
#include "SseLanes.h"
#include "TriodeTransferTable.h"

#include <emmintrin.h>

class PreampLanes {
public:
    static constexpr int kLatency = Preamp::kStages - 1;  // steps from a stage-1 input to its output

    PreampLanes(const Preamp::Coefficients& design, const Preamp::State& state);

    // Writes the states back, as if the scalar preamp had run every sub-sample pushed.
    void store(Preamp::State& state) const;

    // Fill step kStep (0 .. kLatency - 1) of a block: stage 1 takes x, later stages wait.
    template <int kStep> void fill(float x) { advance<fillingIdleLanes(Preamp::kStages, kStep)>(x); }

    // Pushes sub-sample t into stage 1 and returns stage 3's output for sub-sample t - kLatency.
    // Out of line: a pipeline's steady loop pushes four times per host sample, and calling one
    // copy keeps the loop small enough for the processor's decoded-instruction cache (inlined
    // four times, the amp without its cabinet ran about 3 % slower).
    float push(float x);

    // Drain step kStep (0 .. kLatency - 1): the outputs still in flight, oldest first.
    template <int kStep> float drain() { return advance<drainingIdleLanes(kStep)>(0.0f); }

private:
    static_assert(Preamp::kStages == 3, "one lane per stage, stage 3 in lane 2, lane 3 idle");
    static constexpr int kStageLanes = (1 << Preamp::kStages) - 1;
    static constexpr int kLastStage = Preamp::kStages - 1;

    struct DoublePair {
        __m128d low, high;  // lanes 0, 1 and lanes 2, 3
    };

    static DoublePair widen(__m128 x) { return {_mm_cvtps_pd(x), _mm_cvtps_pd(_mm_movehl_ps(x, x))}; }
    static __m128 narrow(__m128d low, __m128d high)
    {
        return _mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high));
    }
    // The transfer curve per lane, with triodeTransfer's limits and NaN handling.
    static __m128 transfer(__m128 v)
    {
        using Table = TriodeTransferTable;
        const __m128 upper = _mm_set1_ps(Table::upperLimit);
        const __m128 lower = _mm_set1_ps(Table::lowerLimit);
        const __m128 atTop = _mm_cmpnlt_ps(v, upper);  // also NaN
        const __m128 atBottom = _mm_cmple_ps(v, lower);
        // Clamped only to keep the table reads in range for the lanes the limits replace;
        // min returns its second operand for a NaN.
        const __m128 clamped = _mm_max_ps(_mm_min_ps(v, upper), lower);
        const __m128 p = _mm_add_ps(_mm_mul_ps(clamped, _mm_set1_ps(Table::stepsPerUnit)),
            _mm_set1_ps(static_cast<float>(Table::zeroIndex)));
        // trunc(min(p, size - 2)) equals min(trunc(p), size - 2) for p >= 0.
        const __m128i index = _mm_cvttps_epi32(_mm_min_ps(p, _mm_set1_ps(Table::size - 2.0f)));
        const __m128 f = _mm_sub_ps(p, _mm_cvtepi32_ps(index));
        // Each read fetches values[i] and values[i + 1] together.
        const float* const values = Table::values;
        const __m128 pair0 = _mm_castsi128_ps(
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(values + _mm_cvtsi128_si32(index))));
        const __m128 pair1 = _mm_castsi128_ps(_mm_loadl_epi64(
            reinterpret_cast<const __m128i*>(values + _mm_cvtsi128_si32(_mm_shuffle_epi32(index, 1)))));
        const __m128 pair2 = _mm_castsi128_ps(_mm_loadl_epi64(
            reinterpret_cast<const __m128i*>(values + _mm_cvtsi128_si32(_mm_shuffle_epi32(index, 2)))));
        const __m128 pairs01 = _mm_unpacklo_ps(pair0, pair1);                          // a0 a1 b0 b1
        const __m128 left = _mm_movelh_ps(pairs01, pair2);                             // a0 a1 a2 b2
        const __m128 right = _mm_shuffle_ps(pairs01, pair2, _MM_SHUFFLE(1, 1, 3, 2));  // b0 b1 b2 b2
        const __m128 inside
            = _mm_add_ps(_mm_mul_ps(left, _mm_sub_ps(_mm_set1_ps(1.0f), f)), _mm_mul_ps(right, f));
        const __m128 held = _mm_or_ps(_mm_and_ps(atTop, _mm_set1_ps(Table::values[Table::size - 1])),
            _mm_and_ps(atBottom, _mm_set1_ps(Table::values[0])));
        return _mm_or_ps(_mm_andnot_ps(_mm_or_ps(atTop, atBottom), inside), held);
    }

    // One pipeline step with `input` entering stage 1. The lanes in kIdle have no sample this
    // step and keep their states.
    template <int kIdle> float advance(float input)
    {
        // Stage 2 takes stage 1's last output, stage 3 stage 2's minus the feedback term.
        const __m128 shifted = _mm_castsi128_ps(_mm_slli_si128(_mm_castps_si128(output_), 4));
        const __m128 fed = _mm_sub_ps(
            shifted, _mm_castsi128_ps(_mm_slli_si128(_mm_castps_si128(_mm_set_ss(feedbackValue_)), 8)));
        const __m128 x = _mm_and_ps(_mm_move_ss(fed, _mm_set_ss(input)), laneMask(kStageLanes));

        // u = input low-pass of x·gain, in double.
        const DoublePair g = widen(_mm_mul_ps(x, gain_));
        const DoublePair uy = widen(inputY1_);
        const __m128 u = narrow(onePoleLowPass(inputLowGain_.low, inputPole_.low, g.low, uy.low),
            onePoleLowPass(inputLowGain_.high, inputPole_.high, g.high, uy.high));
        const __m128 v = _mm_sub_ps(u, _mm_mul_ps(bias_, biasScale_));
        const __m128 t = transfer(v);

        // The plate low-pass of (250 - t)·k feeds the next step's bias.
        const DoublePair drive
            = widen(_mm_mul_ps(_mm_sub_ps(_mm_set1_ps(TriodeStage::kPlateSupply), t), plateScale_));
        const DoublePair py = widen(plateY1_);
        const __m128 bias = narrow(onePoleLowPass(plateLowGain_.low, platePole_.low, drive.low, py.low),
            onePoleLowPass(plateLowGain_.high, platePole_.high, drive.high, py.high));

        // The coupling high-pass: highGain·t + pole·y1 − highGain·x1.
        const DoublePair td = widen(t);
        const DoublePair cy = widen(couplingY1_);
        const DoublePair cx = widen(couplingX1_);
        const __m128 out
            = narrow(onePoleHighPass(couplingHighGain_.low, couplingPole_.low, td.low, cy.low, cx.low),
                onePoleHighPass(couplingHighGain_.high, couplingPole_.high, td.high, cy.high, cx.high));

        inputY1_ = keepIdleLanes<kIdle>(inputY1_, u);
        bias_ = keepIdleLanes<kIdle>(bias_, bias);
        plateY1_ = keepIdleLanes<kIdle>(plateY1_, bias);
        couplingY1_ = keepIdleLanes<kIdle>(couplingY1_, out);
        couplingX1_ = keepIdleLanes<kIdle>(couplingX1_, t);
        output_ = keepIdleLanes<kIdle>(output_, out);

        // Stage 3's output through the feedback low-pass, unless stage 3 idled.
        const float y = _mm_cvtss_f32(_mm_shuffle_ps(out, out, _MM_SHUFFLE(2, 2, 2, 2)));
        if (kIdle & (1 << kLastStage))
            return y;
        const float lowPassed
            = static_cast<float>(onePoleLowPass<double>(feedbackLowGain_, feedbackPole_, y, feedbackY1_));
        feedbackY1_ = lowPassed;
        feedbackValue_ = Preamp::kFeedbackScale * lowPassed;
        return y;
    }

    // Per-lane coefficients; lane 3 is zero throughout.
    __m128 gain_, biasScale_, plateScale_;
    DoublePair inputLowGain_, inputPole_, plateLowGain_, platePole_, couplingHighGain_, couplingPole_;
    double feedbackLowGain_, feedbackPole_;
    // Per-lane states.
    __m128 inputY1_, bias_, plateY1_, couplingY1_, couplingX1_;
    __m128 output_;  // each stage's latest output
    float feedbackY1_, feedbackValue_;
};
