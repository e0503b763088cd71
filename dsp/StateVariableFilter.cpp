#include "StateVariableFilter.h"

#include "SvfTuningTable.h"

#include "base/MathConstants.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kReferenceRate = 44100.0;          // the tuning table is laid out for this rate
constexpr double kIterationsPerHz = 0.00018178513;  // 1/5501: one more loop pass per 5501 Hz
constexpr double kRowsPerHz = 0.04;                 // 25 Hz per table row

// The table's q class: two classes below q = 1, then one per unit of q.
int tuningColumn(float q)
{
    if (q < 0.706f)
        return 0;
    if (q < 1.0f)
        return 1;
    return std::min(static_cast<int>(std::floor(q + 1.0f)), kSvfTuningColumns - 1);
}

}  // namespace

void StateVariableFilter::configure(
    float fs, float frequencyHz, float quality, float gainFactor, int filterMode)
{
    frequency = std::min(frequencyHz, fs / 2.0f);
    q = std::clamp(quality, 0.5f, 100.0f);
    gain = gainFactor;
    mode = filterMode;

    // Refer to 44100 Hz so that the table and the iteration threshold hold at every rate.
    double referred = frequency;
    if (fs != 44100.0f)
        referred = frequency * kReferenceRate / fs;

    iterations = static_cast<int>(std::floor(referred * kIterationsPerHz + 1.0));
    referred /= iterations;

    if (mode == kBandPass) {
        const int row = std::min(static_cast<int>(std::floor(referred * kRowsPerHz)), kSvfTuningRows - 1);
        referred *= svfTuningFactor(row, tuningColumn(q));
    }

    damping = 1.0f / q;
    tuning = static_cast<float>(2.0 * std::sin(referred * kPi / kReferenceRate));
    outputGain = (mode == kLowPass && q < 1.0f) ? gain : gain / q;
}
