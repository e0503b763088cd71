// Runs an AmpChain over one block through the SSE2 lane forms of its blocks, as a software
// pipeline, and leaves the chain's states exactly as AmpChain::process would, sample by sample.
//
// The schedule, in steps of one sub-sample (four per host sample):
// - sub-sample n enters the preamp on step n and leaves it PreampLanes::kLatency steps later;
// - the rest of the chain takes it one host sample after that, so that it runs in the shadow of
//   the preamp's long feedback chain instead of waiting on it: the tone stack (its kLatency
//   steps), the power amp, and for the first sub-sample of every four the decimator and the
//   cabinet (CabinetLanes::kLatency host samples).
// The block's first host samples fill the pipeline and its end drains it, so nothing is in
// flight between blocks and settings changed between blocks act exactly where they would in
// the plain chain. Every block sees the same operations in the same order as AmpChain.
#pragma once

#include "AmpChain.h"
#include "AmpSettings.h"

#include "dsp/CabinetLanes.h"
#include "dsp/PowerAmpLanes.h"
#include "dsp/PreampLanes.h"
#include "dsp/ToneStackLanes.h"

#include <cstdint>
#include <utility>

class ChainPipeline {
public:
    static constexpr int kOversampling = AmpChain::kOversampling;
    // Steps from a sub-sample's entry into the preamp to its power amp output: the rest of the
    // chain takes each preamp output one host sample late.
    static constexpr int kSubSampleDelay
        = PreampLanes::kLatency + kOversampling + ToneStackLanes::kLatency + PowerAmpLanes::kLatency;
    static_assert(kSubSampleDelay % kOversampling == 0,
        "the decimated sub-sample leaves the power amp on the first step of a host sample");
    static_assert(PreampLanes::kLatency < kOversampling, "the first host sample fills the preamp");
    // Host samples from an input sample to its decimated sample, and to the chain's output when
    // the cabinet runs. From kOutputDelay on, every stage is full on every step.
    static constexpr int32_t kDecimatorDelay = kSubSampleDelay / kOversampling;
    static constexpr int32_t kOutputDelay = kDecimatorDelay + CabinetLanes::kLatency;

    // Loads coefficients from `design` and states from `chain`; run() writes the states back.
    ChainPipeline(const AmpSettings& design, AmpChain& chain)
        : chain_(chain)
        , preamp_(design.preamp, chain.preamp)
        , toneStack_(design.toneStack, chain.toneStack)
        , powerAmp_(design.powerAmp, chain.powerAmp)
        , cabinet_(chain.cabinet)
        , channelFilter_(design.channelFilter.withStateOf(chain.channelFilter))
        , master_(design.master)
        , inputGain_(design.inputGain)
        , cabinetOn_(design.cabinetActive)
    {
    }

    // Runs `frames` host samples of `input`, `firstOffset` added to the first, and hands
    // write(i, y) the output for sample i scaled by the master. Once per pipeline; only when
    // the chain is ready. Allocation-free.
    template <typename Write> void run(const float* input, int32_t frames, double firstOffset, Write write)
    {
        if (frames <= 0)
            return;
        // The first host sample: its first sub-samples fill the preamp, the others already
        // leave it and wait for the rest of the chain.
        float sub[kOversampling];
        enter(static_cast<float>(input[0] + firstOffset), sub);
        fillPreamp(sub, std::make_integer_sequence<int, PreampLanes::kLatency>{});
        for (int k = PreampLanes::kLatency; k < kOversampling; ++k)
            held_[k] = preamp_.push(sub[k]);
        int firstHeld = PreampLanes::kLatency;

        // Until every stage is full, the rest of the chain takes the held outputs one by one.
        int32_t i = 1;
        for (; i < frames && i < kOutputDelay; ++i) {
            enter(input[i], sub);
            float fresh[kOversampling];
            for (int k = 0; k < kOversampling; ++k) {
                fresh[k] = preamp_.push(sub[k]);
                if (k >= firstHeld)
                    finish(held_[k], write);
            }
            for (int k = 0; k < kOversampling; ++k)
                held_[k] = fresh[k];
            firstHeld = 0;
        }

        // Compiled once with and once without the cabinet, so that the bypassed amp carries
        // none of the cabinet's states through the loop.
        if (cabinetOn_)
            runFull<true>(input, i, frames, write);
        else
            runFull<false>(input, i, frames, write);

        // Drain: the held outputs, the preamp's, the tone stack's, the cabinet's.
        for (int k = firstHeld; k < kOversampling; ++k)
            finish(held_[k], write);
        drainPreamp(write, std::make_integer_sequence<int, PreampLanes::kLatency>{});
        drainToneStack(write, std::make_integer_sequence<int, ToneStackLanes::kLatency>{});
        if (cabinetOn_)
            drainCabinet(frames, write, std::make_integer_sequence<int, CabinetLanes::kLatency>{});
        store();
    }

private:
    // Host sample x through the input gain, the upsampler and the channel filter.
    void enter(float x, float (&sub)[kOversampling])
    {
        const float* up = chain_.upsampler.process(AmpChain::safeInput(x * inputGain_));
        for (int k = 0; k < kOversampling; ++k)
            sub[k] = channelFilter_.process(up[k]);
    }

    // Host samples [from, frames) with every stage full. Each step's tone stack output is that
    // of the sub-sample one host sample and both latencies before, so the first step of host
    // sample i yields the decimated sub-sample of i - kDecimatorDelay.
    template <bool kCabinet, typename Write>
    void runFull(const float* input, int32_t from, int32_t frames, Write& write)
    {
        float sub[kOversampling];
        for (int32_t i = from; i < frames; ++i) {
            enter(input[i], sub);
            fullSteps<kCabinet>(i, sub, write, std::make_integer_sequence<int, kOversampling>{});
            finished_ += kOversampling;
        }
    }

    template <bool kCabinet, typename Write, int... kStep>
    void fullSteps(
        int32_t i, const float (&sub)[kOversampling], Write& write, std::integer_sequence<int, kStep...>)
    {
        ((held_[kStep] = fullStep<kCabinet, kStep>(i, sub[kStep], held_[kStep], write)), ...);
    }

    // One step: a sub-sample into the preamp, the held one through the rest of the chain. The
    // cabinet takes its sample in three parts on the first three steps and returns the output
    // for i - kOutputDelay: its long chain of dependent operations then runs beside the
    // preamp's instead of holding up the processor in one piece.
    template <bool kCabinet, int kStep, typename Write>
    float fullStep(int32_t i, float sub, float held, Write& write)
    {
        const float fresh = preamp_.push(sub);
        const float y = powerAmp_.push(toneStack_.push(held));
        if constexpr (!kCabinet) {
            if constexpr (kStep == 0)
                write(i - kDecimatorDelay, master_ * chain_.decimator.process(y));
        } else if constexpr (kStep == 0) {
            cabinet_.takeInput(chain_.decimator.process(y));
        } else if constexpr (kStep == 1) {
            cabinet_.runHighFilters();
        } else if constexpr (kStep == 2) {
            write(i - kOutputDelay, master_ * cabinet_.reflect());
        }
        return fresh;
    }

    // The rest of the chain for the next preamp output, while the pipeline fills or drains.
    template <typename Write> void finish(float x, Write& write)
    {
        if (finished_ >= ToneStackLanes::kLatency)
            finishToneStacked(finished_ - ToneStackLanes::kLatency, toneStack_.push(x), write);
        else
            fillToneStack(finished_, x, std::make_integer_sequence<int, ToneStackLanes::kLatency>{});
        ++finished_;
    }

    // Sub-sample n of the block, out of the tone stack.
    template <typename Write> void finishToneStacked(int32_t n, float x, Write& write)
    {
        const float y = powerAmp_.push(x);
        if (n % kOversampling != 0)
            return;  // only advances the states
        const int32_t host = n / kOversampling;
        const float d = chain_.decimator.process(y);
        if (!cabinetOn_)
            write(host, master_ * d);
        else if (host < CabinetLanes::kLatency)
            fillCabinet(host, d, std::make_integer_sequence<int, CabinetLanes::kLatency>{});
        else
            write(host - CabinetLanes::kLatency, master_ * cabinet_.push(d));
    }

    template <int... kStep>
    void fillPreamp(const float (&sub)[kOversampling], std::integer_sequence<int, kStep...>)
    {
        (preamp_.template fill<kStep>(sub[kStep]), ...);
    }

    template <int... kStep> void fillToneStack(int32_t step, float x, std::integer_sequence<int, kStep...>)
    {
        ((step == kStep ? toneStack_.template fill<kStep>(x) : void()), ...);
    }

    template <int... kStep> void fillCabinet(int32_t step, float x, std::integer_sequence<int, kStep...>)
    {
        ((step == kStep ? cabinet_.template fill<kStep>(x) : void()), ...);
    }

    template <typename Write, int... kStep>
    void drainPreamp(Write& write, std::integer_sequence<int, kStep...>)
    {
        (finish(preamp_.template drain<kStep>(), write), ...);
    }

    // The tone stack's last outputs are those of the block's last sub-samples.
    template <typename Write, int... kStep>
    void drainToneStack(Write& write, std::integer_sequence<int, kStep...>)
    {
        (finishToneStacked(
             finished_ - ToneStackLanes::kLatency + kStep, toneStack_.template drain<kStep>(), write),
            ...);
    }

    template <typename Write, int... kStep>
    void drainCabinet(int32_t frames, Write& write, std::integer_sequence<int, kStep...>)
    {
        (write(frames - CabinetLanes::kLatency + kStep, master_ * cabinet_.template drain<kStep>()), ...);
    }

    void store()
    {
        preamp_.store(chain_.preamp);
        toneStack_.store(chain_.toneStack);
        powerAmp_.store(chain_.powerAmp);
        cabinet_.store(chain_.cabinet);
        chain_.channelFilter = channelFilter_;
    }

    AmpChain& chain_;
    PreampLanes preamp_;
    ToneStackLanes toneStack_;
    PowerAmpLanes powerAmp_;
    CabinetLanes cabinet_;
    Biquad channelFilter_;
    const float master_;
    const float inputGain_;
    const bool cabinetOn_;
    float held_[kOversampling] = {};  // preamp outputs waiting one host sample for the rest
    int32_t finished_ = 0;            // preamp outputs taken by the rest of the chain
};
