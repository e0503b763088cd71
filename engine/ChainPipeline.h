// Runs an AmpChain over one block through the SSE2 lane forms of its blocks, as a software
// pipeline, and leaves the chain's states exactly as AmpChain::process would, sample by sample.
//
// The schedule, in steps of one sub-sample (four per host sample):
// - sub-sample n enters the preamp on step n and leaves it PreampLanes::kLatency steps later;
// - the rest of the chain takes it one host sample after that, so that it runs in the shadow of
//   the preamp's long feedback chain instead of waiting on it: the tone stack (its kLatency
//   steps), the power amp, and for the first sub-sample of every four the decimator and the
//   cabinet (its kLatency host samples).
// The block's first host samples fill the pipeline and its end drains it, so nothing is in
// flight between blocks and settings changed between blocks act exactly where they would in
// the plain chain. Every block sees the same operations in the same order as AmpChain.
//
// Cabinet is the cabinet's form for the block: BypassedCabinet while it is switched off, else
// a CabinetLanes that suits its filters. runChainPipeline() chooses it once per block, so no
// step branches on the cabinet's settings.
#pragma once

#include "AmpChain.h"
#include "AmpSettings.h"

#include "dsp/CabinetLanes.h"
#include "dsp/PowerAmpLanes.h"
#include "dsp/PreampLanes.h"
#include "dsp/ToneStackLanes.h"

#include <cstdint>
#include <type_traits>
#include <utility>

// Runs `frames` host samples of `input` through `chain` with the coefficients of `design`,
// `firstOffset` added to the first, and writes the outputs, scaled by the master, to `output`.
// Only when the chain is ready. Allocation-free.
void runChainPipeline(const AmpSettings& design, AmpChain& chain, const float* input, int32_t frames,
    double firstOffset, float* output);

// The cabinet switched off: the decimated samples go straight to the master and the simulator
// keeps its states.
struct BypassedCabinet {
    static constexpr int kLatency = 0;
    explicit BypassedCabinet(const CabinetSimulator&) { }
    void store(CabinetSimulator&) const { }
};

template <class Cabinet> class ChainPipeline {
public:
    static constexpr int kOversampling = AmpChain::kOversampling;
    // Steps from a sub-sample's entry into the preamp to its power amp output: the rest of the
    // chain takes each preamp output one host sample late.
    static constexpr int kSubSampleDelay
        = PreampLanes::kLatency + kOversampling + ToneStackLanes::kLatency + PowerAmpLanes::kLatency;
    static_assert(kSubSampleDelay % kOversampling == 0,
        "the decimated sub-sample leaves the power amp on the first step of a host sample");
    static_assert(PreampLanes::kLatency < kOversampling, "the first host sample fills the preamp");
    static_assert(Cabinet::kLatency <= 1, "a block of one host sample fills and drains the cabinet");
    // Host samples from an input sample to its decimated sample, and to the chain's output.
    // From kOutputDelay on, every stage is full on every step.
    static constexpr int32_t kDecimatorDelay = kSubSampleDelay / kOversampling;
    static constexpr int32_t kOutputDelay = kDecimatorDelay + Cabinet::kLatency;

    // Loads coefficients from `design` and states from `chain`; run() writes the states back.
    ChainPipeline(const AmpSettings& design, AmpChain& chain)
        : chain_(chain)
        , preamp_(design.preamp, chain.preamp)
        , toneStack_(design.toneStack, chain.toneStack)
        , powerAmp_(design.powerAmp, chain.powerAmp)
        , cabinet_(chain.cabinet)
        , channelCoefficients_(design.channelFilter)
        , channelFilter_(chain.channelFilter)
        , master_(design.master)
        , inputGain_(design.inputGain)
    {
    }

    // runChainPipeline() for a cabinet that this form suits; once per pipeline.
    void run(const float* input, int32_t frames, double firstOffset, float* output)
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
                    finish(held_[k], output);
            }
            for (int k = 0; k < kOversampling; ++k)
                held_[k] = fresh[k];
            firstHeld = 0;
        }

        runFull(input, i, frames, output);

        // Drain: the held outputs, the preamp's, the tone stack's, the cabinet's.
        for (int k = firstHeld; k < kOversampling; ++k)
            finish(held_[k], output);
        drainPreamp(output, std::make_integer_sequence<int, PreampLanes::kLatency>{});
        drainToneStack(output, std::make_integer_sequence<int, ToneStackLanes::kLatency>{});
        if constexpr (!kBypassed)
            drainCabinet(frames, output, std::make_integer_sequence<int, Cabinet::kLatency>{});
        store();
    }

private:
    static constexpr bool kBypassed = std::is_same_v<Cabinet, BypassedCabinet>;

    // Host sample x through the input gain, the upsampler and the channel filter.
    void enter(float x, float (&sub)[kOversampling])
    {
        const float* up = chain_.upsampler.process(AmpChain::safeInput(x * inputGain_));
        for (int k = 0; k < kOversampling; ++k)
            sub[k] = Biquad::process(channelCoefficients_, channelFilter_, up[k]);
    }

    // Host samples [from, frames) with every stage full. Each step's tone stack output is that
    // of the sub-sample one host sample and both latencies before, so the first step of host
    // sample i yields the decimated sub-sample of i - kDecimatorDelay.
    void runFull(const float* input, int32_t from, int32_t frames, float* output)
    {
        float sub[kOversampling];
        for (int32_t i = from; i < frames; ++i) {
            enter(input[i], sub);
            fullSteps(i, sub, output, std::make_integer_sequence<int, kOversampling>{});
            finished_ += kOversampling;
        }
    }

    template <int... kStep>
    void fullSteps(
        int32_t i, const float (&sub)[kOversampling], float* output, std::integer_sequence<int, kStep...>)
    {
        ((held_[kStep] = fullStep<kStep>(i, sub[kStep], held_[kStep], output)), ...);
    }

    // One step: a sub-sample into the preamp, the held one through the rest of the chain. The
    // cabinet takes its sample in three parts on the first three steps and returns the output
    // for i - kOutputDelay: its long chain of dependent operations then runs beside the
    // preamp's instead of holding up the processor in one piece.
    template <int kStep> float fullStep(int32_t i, float sub, float held, float* output)
    {
        const float fresh = preamp_.push(sub);
        const float y = powerAmp_.push(toneStack_.push(held));
        if constexpr (kBypassed) {
            if constexpr (kStep == 0)
                output[i - kOutputDelay] = master_ * chain_.decimator.process(y);
        } else if constexpr (kStep == 0) {
            cabinet_.takeInput(chain_.decimator.process(y));
        } else if constexpr (kStep == 1) {
            cabinet_.runHighFilters();
        } else if constexpr (kStep == 2) {
            output[i - kOutputDelay] = master_ * cabinet_.reflect();
        }
        return fresh;
    }

    // The rest of the chain for the next preamp output, while the pipeline fills or drains.
    void finish(float x, float* output)
    {
        if (finished_ >= ToneStackLanes::kLatency)
            finishToneStacked(finished_ - ToneStackLanes::kLatency, toneStack_.push(x), output);
        else
            fillToneStack(finished_, x, std::make_integer_sequence<int, ToneStackLanes::kLatency>{});
        ++finished_;
    }

    // Sub-sample n of the block, out of the tone stack.
    void finishToneStacked(int32_t n, float x, float* output)
    {
        const float y = powerAmp_.push(x);
        if (n % kOversampling != 0)
            return;  // only advances the states
        const int32_t host = n / kOversampling;
        const float d = chain_.decimator.process(y);
        if constexpr (kBypassed)
            output[host] = master_ * d;
        else if (host < Cabinet::kLatency)
            fillCabinet(host, d, std::make_integer_sequence<int, Cabinet::kLatency>{});
        else
            output[host - Cabinet::kLatency] = master_ * cabinet_.push(d);
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

    template <int... kStep> void drainPreamp(float* output, std::integer_sequence<int, kStep...>)
    {
        (finish(preamp_.template drain<kStep>(), output), ...);
    }

    // The tone stack's last outputs are those of the block's last sub-samples.
    template <int... kStep> void drainToneStack(float* output, std::integer_sequence<int, kStep...>)
    {
        (finishToneStacked(
             finished_ - ToneStackLanes::kLatency + kStep, toneStack_.template drain<kStep>(), output),
            ...);
    }

    template <int... kStep>
    void drainCabinet(int32_t frames, float* output, std::integer_sequence<int, kStep...>)
    {
        ((output[frames - Cabinet::kLatency + kStep] = master_ * cabinet_.template drain<kStep>()), ...);
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
    Cabinet cabinet_;
    const Biquad::Coefficients channelCoefficients_;
    Biquad::State channelFilter_;
    const float master_;
    const float inputGain_;
    float held_[kOversampling] = {};  // preamp outputs waiting one host sample for the rest
    int32_t finished_ = 0;            // preamp outputs taken by the rest of the chain
};
