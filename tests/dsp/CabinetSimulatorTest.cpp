#include "dsp/CabinetSimulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr float kRates[] = {44100, 48000, 88200, 96000};

std::unique_ptr<CabinetSimulator> configuredCabinet(float fs)
{
    auto cabinet = std::make_unique<CabinetSimulator>();
    cabinet->configure(fs);
    return cabinet;
}

// Output for an impulse at call `at`, silence elsewhere.
std::vector<float> responseToImpulseAt(CabinetSimulator& cabinet, int at, int length)
{
    std::vector<float> out(length);
    for (int n = 0; n < length; ++n)
        out[n] = cabinet.process(n == at ? 1.0f : 0.0f);
    return out;
}

}  // namespace

TEST(CabinetSimulator, ReflectionsAddFourDelayedWeightedCopiesAt44100)
{
    // Path difference delta (inches) -> delay delta/12000 s; gains as the mic geometry sets.
    struct Reflection {
        double delaySamples, gain;
    };
    const Reflection reflections[] = {
        {6.18034 / 12000.0 * 44100.0, 0.574499},   // 22.71 samples
        {13.68154 / 12000.0 * 44100.0, 0.445294},  // 50.28
        {11.57227 / 12000.0 * 44100.0, 0.338306},  // 42.53
        {19.31954 / 12000.0 * 44100.0, 0.260038},  // 71.00
    };

    auto cabinet = configuredCabinet(44100);
    auto direct = std::make_unique<CabinetSimulator>(*cabinet);
    direct->reflectionGain1 = direct->reflectionGain2 = 0.0f;
    direct->reflectionGain3 = direct->reflectionGain4 = 0.0f;

    // The impulse comes after some silence so that no tap is read while r is 0.
    constexpr int kAt = 200, kLength = 900;
    const std::vector<float> y = responseToImpulseAt(*cabinet, kAt, kLength);
    const std::vector<float> u = responseToImpulseAt(*direct, kAt, kLength);
    const float peak
        = *std::max_element(u.begin(), u.end(), [](float a, float b) { return std::abs(a) < std::abs(b); });

    auto uAt = [&](int n) { return n >= 0 ? static_cast<double>(u[n]) : 0.0; };
    for (int n = 0; n < kLength; ++n) {
        double expected = u[n];
        for (const Reflection& r : reflections) {
            const int whole = static_cast<int>(r.delaySamples);
            const double frac = r.delaySamples - whole;
            const double delayed = (1.0 - frac) * uAt(n - whole) + frac * uAt(n - whole - 1);
            expected += r.gain * (u[n] + delayed);
        }
        ASSERT_NEAR(y[n], expected, 1e-4 * std::abs(peak)) << "call " << n - kAt << " after the impulse";
    }
}

TEST(CabinetSimulator, StaysBoundedOnLongNoiseAndDecaysToSilence)
{
    for (float fs : kRates) {
        auto cabinet = configuredCabinet(fs);
        std::mt19937 random(7);
        std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
        float loudest = 0.0f;
        const int samples = static_cast<int>(fs) * 20;
        for (int n = 0; n < samples; ++n) {
            const float y = cabinet->process(noise(random));
            ASSERT_TRUE(std::isfinite(y)) << "sample " << n << " at " << fs;
            loudest = std::max(loudest, std::abs(y));
        }
        // The largest gain of the cabinet is about +17 dB (7x) near 8 kHz.
        EXPECT_LT(loudest, 30.0f) << fs;
        float tail = 0.0f;
        for (int n = 0; n < static_cast<int>(fs); ++n)
            tail = std::abs(cabinet->process(0.0f));
        EXPECT_LT(tail, 1e-6f) << "one second after the noise at " << fs;
    }
}

TEST(CabinetSimulator, ConfigureStartsFromSilence)
{
    auto fresh = std::make_unique<CabinetSimulator>();
    EXPECT_FALSE(fresh->isConfigured());
    fresh->configure(48000);
    EXPECT_TRUE(fresh->isConfigured());

    auto used = configuredCabinet(96000);
    std::mt19937 random(3);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    for (int n = 0; n < 5000; ++n)
        used->process(noise(random));
    used->configure(48000);

    const std::vector<float> expected = responseToImpulseAt(*fresh, 0, 2000);
    const std::vector<float> actual = responseToImpulseAt(*used, 0, 2000);
    for (int n = 0; n < 2000; ++n)
        ASSERT_EQ(actual[n], expected[n]) << "call " << n;
}
