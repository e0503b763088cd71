#include "dsp/PowerAmp.h"

#include "FrequencyResponse.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
constexpr float kFs = 176400.0f;

PowerAmp::Coefficients configuredAmp(float lowBoost, float presence)
{
    PowerAmp::Coefficients amp;
    amp.configure(kFs);
    amp.lowBoost = lowBoost;
    amp.presence = presence;
    return amp;
}

// RMS of the settled output for a sine: half a second to settle, a quarter to measure.
double settledRms(const PowerAmp::Coefficients& amp, double hz)
{
    PowerAmp::State state;
    const int settle = static_cast<int>(kFs / 2), measure = static_cast<int>(kFs / 4);
    double sum = 0.0;
    for (int n = 0; n < settle + measure; ++n) {
        const float y = PowerAmp::process(
            amp, state, 0.1f * static_cast<float>(std::sin(6.283185307179586 * hz * n / kFs)));
        if (n >= settle)
            sum += static_cast<double>(y) * y;
    }
    return std::sqrt(sum / measure);
}

using Complex = std::complex<double>;

Complex lowPassAt(const OnePoleFilter::Coefficients& f, Complex zInverse)
{
    return f.lowGain / (1.0 - f.pole * zInverse);
}

Complex highPassAt(const OnePoleFilter::Coefficients& f, Complex zInverse)
{
    return f.highGain * (1.0 - zInverse) / (1.0 - f.pole * zInverse);
}

Complex biquadAt(const Biquad::Coefficients& b, Complex z1)
{
    const double b0 = b.b0, b1 = b.b1, b2 = b.b2, a1 = b.a1, a2 = b.a2;
    return (b0 + b1 * z1 + b2 * z1 * z1) / (1.0 + a1 * z1 + a2 * z1 * z1);
}

// The amp's small-signal response derived on paper from its filters: each half is its input
// divided by one minus the one-sample-late loop of sag, resonance and treble terms.
Complex modelResponse(const PowerAmp::Coefficients& amp, double hz)
{
    const Complex zInverse = std::polar(1.0, -6.283185307179586 * hz / kFs);
    const Complex sagLoop = PowerAmp::kSagAmount * 0.083333 * lowPassAt(amp.sagFilter, zInverse);
    const Complex loopA = sagLoop
        + static_cast<double>(PowerAmp::kResonanceFeedbackA) * biquadAt(amp.resonanceFilterA, zInverse)
        + 0.5 * amp.presence * highPassAt(amp.brightFilter, zInverse);
    const Complex loopB = sagLoop - 1.414 * biquadAt(amp.resonanceFilterB, zInverse)
        + static_cast<double>(amp.presence) * highPassAt(amp.brightFilter, zInverse);
    const Complex halfA = 1.0 / (1.0 - zInverse * loopA);
    const Complex halfB = -1.0 / (1.0 - zInverse * loopB);
    const Complex band = lowPassAt(amp.toneFilter, zInverse) * highPassAt(amp.couplingFilter, zInverse);
    const Complex sum = band * (halfA + 0.7071 * biquadAt(amp.voicingFilter, zInverse) * halfB);
    return sum * (1.0 + static_cast<double>(amp.lowBoost) * lowPassAt(amp.outputFilter, zInverse));
}
}  // namespace

TEST(PowerAmp, ImpulseResponseMatchesTheLoopModel)
{
    PowerAmp::Coefficients amp = configuredAmp(2.0f, 1.0f);
    amp.setVoicing(600.0f, kFs);
    PowerAmp::State pulsed, idle;
    // The sag terms' constant offset is the same with and without the impulse, so the
    // difference of the two runs is the linear response. A large impulse keeps the float
    // rounding of that offset out of the low-frequency measurement.
    std::vector<float> response(131072);
    for (std::size_t n = 0; n < response.size(); ++n)
        response[n]
            = (PowerAmp::process(amp, pulsed, n == 0 ? 100.0f : 0.0f) - PowerAmp::process(amp, idle, 0.0f))
            / 100.0f;
    for (double hz : {20.0, 100.0, 300.0, 800.0, 920.0, 4500.0, 10000.0, 40000.0}) {
        const Complex expected = modelResponse(amp, hz);
        EXPECT_LT(std::abs(responseAt(response, hz, kFs) - expected), 1e-3 * std::abs(expected))
            << hz << " Hz";
    }
}

TEST(PowerAmp, SilenceSettlesToZeroOnceTheSagOffsetIsRemoved)
{
    const struct {
        float lowBoost, presence;
    } cases[] = {{0.0f, 0.0f}, {2.0f, 0.0f}, {0.7071f, 1.0f}};
    for (const auto& c : cases) {
        const PowerAmp::Coefficients amp = configuredAmp(c.lowBoost, c.presence);
        PowerAmp::State state;
        float largest = 0.0f, last = 0.0f;
        for (int n = 0; n < static_cast<int>(kFs); ++n) {
            last = PowerAmp::process(amp, state, 0.0f);
            largest = std::max(largest, std::fabs(last));
        }
        EXPECT_GT(largest, 0.01f) << "lowBoost " << c.lowBoost << ", presence " << c.presence;
        EXPECT_LT(std::fabs(last), 1e-6f) << "lowBoost " << c.lowBoost << ", presence " << c.presence;
    }
}

TEST(PowerAmp, LowBoostOfTwoTriplesLowsAndLeavesHighs)
{
    const struct {
        double hz, ratio, tolerance;
    } cases[] = {{40.0, 3.0, 0.05}, {10000.0, 1.0, 0.07}};
    for (const auto& c : cases) {
        const double boosted = settledRms(configuredAmp(2.0f, 0.0f), c.hz);
        const double flat = settledRms(configuredAmp(0.0f, 0.0f), c.hz);
        EXPECT_NEAR(boosted / flat, c.ratio, c.tolerance) << c.hz << " Hz";
    }
}

TEST(PowerAmp, VoicingMovesTheAllPassCentreFrom320To920Hz)
{
    PowerAmp::Coefficients amp = configuredAmp(0.0f, 0.0f);
    const struct {
        float offsetHz;
        double centreHz;
    } cases[] = {{600.0f, 920.0}, {0.0f, 320.0}, {300.0f, 620.0}};
    for (const auto& c : cases) {
        amp.setVoicing(c.offsetHz, kFs);
        const std::vector<float> h = impulseResponseOf<Biquad>(amp.voicingFilter, 65536);
        const std::complex<double> atCentre = responseAt(h, c.centreHz, kFs);
        EXPECT_NEAR(atCentre.real(), -1.0, 1e-3) << "offset " << c.offsetHz;
        EXPECT_NEAR(atCentre.imag(), 0.0, 1e-3) << "offset " << c.offsetHz;
        for (double hz : {50.0, 5000.0})
            EXPECT_NEAR(gainDb(h, hz, kFs), 0.0, 0.01) << "offset " << c.offsetHz << ", " << hz << " Hz";
    }
    amp.configure(kFs);
    const std::vector<float> h = impulseResponseOf<Biquad>(amp.voicingFilter, 65536);
    EXPECT_NEAR(responseAt(h, 320.0, kFs).real(), -1.0, 1e-3) << "configure resets the voicing";
}

TEST(PowerAmp, ResonanceBandPassesPeakAt800HzWithTheirQ)
{
    const PowerAmp::Coefficients amp = configuredAmp(0.0f, 0.0f);
    const struct {
        const char* name;
        Biquad::Coefficients section;
        double q;
    } cases[] = {{"half A", amp.resonanceFilterA, 1.414}, {"half B", amp.resonanceFilterB, 3.0}};
    for (const auto& c : cases) {
        const std::vector<float> h = impulseResponseOf<Biquad>(c.section, 65536);
        const double lowerEdge = 800.0 * (std::sqrt(1.0 + 1.0 / (4.0 * c.q * c.q)) - 1.0 / (2.0 * c.q));
        EXPECT_NEAR(gainDb(h, 800.0, kFs), 0.0, 0.01) << c.name;
        EXPECT_NEAR(gainDb(h, lowerEdge, kFs), -3.01, 0.02) << c.name << ", lower -3 dB edge";
    }
}
