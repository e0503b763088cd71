#include "PolyphaseUpsampler.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {
// The branch that drops its last tap. At 48000 and 88200 Hz that tap is a real kernel value,
// so this is audible in the last bits and kept deliberately.
constexpr int kShortenedPhase = 1;
}  // namespace

bool PolyphaseUpsampler::configure(int phaseCount, const double* kernel, int totalTaps)
{
    if (phaseCount < 1 || kernel == nullptr || totalTaps < phaseCount)
        return false;
    const int taps = totalTaps / phaseCount;
    const int pairs = (phaseCount + 1) / 2;

    std::unique_ptr<double[]> coefficients(new (std::nothrow) double[2 * pairs * taps]());
    std::unique_ptr<double[]> history(new (std::nothrow) double[2 * taps]());
    std::unique_ptr<float[]> outputs(new (std::nothrow) float[2 * pairs]());
    if (!coefficients || !history || !outputs)
        return false;

    for (int phase = 0; phase < phaseCount; ++phase) {
        const int used = phase == kShortenedPhase ? taps - 1 : taps;
        double* lane = &coefficients[(phase / 2) * 2 * taps + phase % 2];
        for (int k = 0; k < used; ++k)
            lane[2 * k] = kernel[phase + phaseCount * k];
    }

    pairCount_ = pairs;
    maxTaps_ = taps;
    coefficients_ = std::move(coefficients);
    history_ = std::move(history);
    position_ = 0;
    outputs_ = std::move(outputs);
    return true;
}

void PolyphaseUpsampler::clearHistory()
{
    std::fill(history_.get(), history_.get() + 2 * maxTaps_, 0.0);
    position_ = 0;
}
