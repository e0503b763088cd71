#include "tools/grimbolt-host/PluckedStringPhrase.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

struct Pluck {
    double startSeconds;
    double frequency;   // Hz
    double endSeconds;  // the string is damped from here on, as by a fretting hand lifting
    float amplitude;
};

// A single-note riff on the low strings, then an E major chord strummed downwards, with
// 15 ms between strings as a pick crosses them.
constexpr Pluck kPhrase[] = {
    {0.00, 82.41, 0.55, 1.0f},   // E2
    {0.50, 110.00, 1.05, 0.9f},  // A2
    {1.00, 146.83, 1.55, 0.9f},  // D3
    {1.50, 123.47, 2.20, 0.9f},  // B2
    // E major, low string to high
    {2.200, 82.41, 5.00, 0.8f},   // E2
    {2.215, 123.47, 5.00, 0.7f},  // B2
    {2.230, 164.81, 5.00, 0.7f},  // E3
    {2.245, 207.65, 5.00, 0.6f},  // G#3
    {2.260, 246.94, 5.00, 0.6f},  // B3
    {2.275, 329.63, 5.00, 0.5f},  // E4
};

// Decay per period of the loop filter: a ringing string loses about 0.4% per pass.
constexpr double kRingingLoss = 0.996;
// Decay per period once damped: the note dies within a few tens of milliseconds.
constexpr double kDampedLoss = 0.6;

// A fixed linear congruential generator (Numerical Recipes constants), so that the noise
// burst, and with it the phrase, is the same on every platform and standard library.
class BurstNoise {
public:
    float next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<float>(state_ >> 8) / static_cast<float>(1u << 23) - 1.0f;
    }

private:
    uint32_t state_ = 0x2545F491u;
};

// Adds one plucked note into mix: a delay line one period long, filled with a noise burst,
// fed back through the two-point average that makes high harmonics die first.
void addPluck(const Pluck& pluck, int sampleRate, BurstNoise& noise, std::vector<float>& mix)
{
    const size_t period = static_cast<size_t>(std::lround(sampleRate / pluck.frequency));
    std::vector<double> line(period);
    // A softened burst (one-pole low pass) sounds like a pick rather than a hammer.
    double soft = 0.0;
    for (double& value : line) {
        soft += 0.5 * (noise.next() - soft);
        value = pluck.amplitude * soft;
    }
    const size_t start = static_cast<size_t>(pluck.startSeconds * sampleRate);
    const size_t damp = std::min(static_cast<size_t>(pluck.endSeconds * sampleRate), mix.size());
    double previous = 0.0;
    size_t position = 0;
    for (size_t n = start; n < mix.size(); ++n) {
        const double loss = n < damp ? kRingingLoss : kDampedLoss;
        const double current = line[position];
        line[position] = loss * 0.5 * (current + previous);
        previous = current;
        position = position + 1 == period ? 0 : position + 1;
        mix[n] += static_cast<float>(current);
    }
}

}  // namespace

std::vector<float> PluckedStringPhrase::render(int sampleRate)
{
    std::vector<float> mix(static_cast<size_t>(kDurationSeconds * sampleRate), 0.0f);
    BurstNoise noise;
    for (const Pluck& pluck : kPhrase) {
        addPluck(pluck, sampleRate, noise, mix);
    }
    float peak = 0.0f;
    for (float sample : mix) {
        peak = std::max(peak, std::fabs(sample));
    }
    if (peak > 0.0f) {
        const float scale = kPeakLevel / peak;
        for (float& sample : mix) {
            sample *= scale;
        }
    }
    return mix;
}
