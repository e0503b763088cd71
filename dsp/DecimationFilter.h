// Linear-phase FIR low-pass at the host rate: the decimator of the 4x chain, fed one of every
// four processed samples. The kernel is symmetric with an odd tap count N, so the sum is
// folded to (N + 1)/2 multiplications; DC gain is the kernel sum, delay (N − 1)/2 samples.
// Kernel and history are doubles, the output a float. Input: any finite float sample.
#pragma once

#include <memory>

class DecimationFilter {
public:
    // Uses `kernel` in place (it must outlive this filter), allocates a cleared history and
    // restarts at position 0. Call outside the audio thread. Returns false and keeps the
    // previous configuration for a missing kernel, an even tap count or when memory runs out.
    bool configure(const double* kernel, int taps);

    bool isConfigured() const { return kernel_ != nullptr; }
    int length() const { return length_; }

    // Forgets every past input; allocation-free.
    void clearHistory();

    // One sample in, one out; only when configured; allocation-free.
    float process(float x)
    {
        // Written twice so the N-tap window never wraps; history_[position_ + k] is x[n − k].
        history_[position_] = x;
        history_[position_ + length_] = x;
        const double* window = &history_[position_];
        const int centre = (length_ - 1) / 2;
        double sum = 0.0;
        for (int j = 0; j < centre; ++j)
            sum += (window[length_ - 1 - j] + window[j]) * kernel_[j];
        sum += window[centre] * kernel_[centre];
        position_ = position_ == 0 ? length_ - 1 : position_ - 1;
        return static_cast<float>(sum);
    }

private:
    const double* kernel_ = nullptr;     // not owned
    int length_ = 0;                     // N
    std::unique_ptr<double[]> history_;  // 2·N past inputs, newest at position_
    int position_ = 0;
};
