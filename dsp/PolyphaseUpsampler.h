// Polyphase interpolator: each host-rate sample becomes phaseCount samples at the higher
// rate. Phase i runs the taps kernel[i], kernel[i + P], kernel[i + 2P], ... as an FIR over
// the host-rate input, so output i at host time n is sum_k kernel[i + P·k]·x[n − k]. Phase 1
// is one tap shorter than the others (its last tap is never used). Kernels and history are
// doubles; each output is rounded to float. Input: any finite float sample.
#pragma once

#include <emmintrin.h>

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

    // Forgets every past input; allocation-free.
    void clearHistory();

    // One host sample in; returns the phaseCount outputs in phase order, valid until the next
    // call. Only when configured; allocation-free.
    const float* process(float x)
    {
        // All phases see the same input, so one history serves them all. It is written twice
        // so the window history[position, position + taps) never wraps; index k is x[n − k].
        history_[position_] = x;
        history_[position_ + maxTaps_] = x;
        const double* window = &history_[position_];
        // Two phases at a time, one per SSE2 lane, each summing its taps in order k = 0, 1, ...
        const double* coefficients = coefficients_.get();
        for (int pair = 0; pair < pairCount_; ++pair) {
            __m128d sum = _mm_setzero_pd();
            for (int k = 0; k < maxTaps_; ++k, coefficients += 2)
                sum = _mm_add_pd(sum, _mm_mul_pd(_mm_loadu_pd(coefficients), _mm_set1_pd(window[k])));
            _mm_storel_pi(reinterpret_cast<__m64*>(&outputs_[2 * pair]), _mm_cvtpd_ps(sum));
        }
        position_ = position_ == 0 ? maxTaps_ - 1 : position_ - 1;
        return outputs_.get();
    }

private:
    int pairCount_ = 0;  // phases taken two at a time, rounded up
    int maxTaps_ = 0;    // taps of the full-length phases
    // Per pair of phases, tap by tap, the two phases' coefficients side by side; the tap a
    // phase leaves out (and a missing last phase) is 0, which adds exactly nothing: the sums
    // start at +0 and the inputs are finite.
    std::unique_ptr<double[]> coefficients_;
    std::unique_ptr<double[]> history_;  // 2·maxTaps_ past inputs, newest at position_
    int position_ = 0;
    std::unique_ptr<float[]> outputs_;  // latest outputs in phase order, room for pairs
};
