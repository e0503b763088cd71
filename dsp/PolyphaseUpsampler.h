// Polyphase interpolator: each host-rate sample becomes phaseCount samples at the higher
// rate. Phase i runs the taps kernel[i], kernel[i + P], kernel[i + 2P], ... as an FIR over
// the host-rate input, so output i at host time n is sum_k kernel[i + P·k]·x[n − k]. Phase 1
// is one tap shorter than the others (its last tap is never used). Kernels and history are
// doubles; each output is rounded to float. Input: any finite float sample.
#pragma once

#include <memory>

class PolyphaseUpsampler {
public:
    PolyphaseUpsampler() = default;
    PolyphaseUpsampler(const PolyphaseUpsampler&) = delete;
    PolyphaseUpsampler& operator=(const PolyphaseUpsampler&) = delete;
    virtual ~PolyphaseUpsampler() = default;

    // Splits `kernel` (totalTaps doubles, copied) into phaseCount phases of totalTaps/phaseCount
    // taps and clears the history. Allocates: call outside the audio thread. Returns false and
    // keeps the previous configuration for bad arguments or when memory runs out.
    bool configure(int phaseCount, const double* kernel, int totalTaps);

    bool isConfigured() const { return outputs_ != nullptr; }

    // One host sample in; returns the phaseCount outputs in phase order, valid until the next
    // call. Only when configured; allocation-free.
    const float* process(float x)
    {
        // All phases see the same input, so one history serves them all. It is written twice
        // so the window history[position, position + taps) never wraps; index k is x[n − k].
        history_[position_] = x;
        history_[position_ + maxTaps_] = x;
        const double* window = &history_[position_];
        const double* coefficients = coefficients_.get();
        for (int phase = 0; phase < phaseCount_; ++phase) {
            double sum = 0.0;
            for (int k = 0; k < phaseTaps_[phase]; ++k)
                sum += coefficients[k] * window[k];
            outputs_[phase] = static_cast<float>(sum);
            coefficients += maxTaps_;
        }
        position_ = position_ == 0 ? maxTaps_ - 1 : position_ - 1;
        return outputs_.get();
    }

private:
    int phaseCount_ = 0;
    int maxTaps_ = 0;                          // taps of the full-length phases
    std::unique_ptr<int[]> phaseTaps_;         // taps used by each phase
    std::unique_ptr<double[]> coefficients_;   // phaseCount rows of maxTaps_, phase-major
    std::unique_ptr<double[]> history_;        // 2·maxTaps_ past inputs, newest at position_
    int position_ = 0;
    std::unique_ptr<float[]> outputs_;         // latest outputs, in phase order
};
