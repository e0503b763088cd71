// What a guitarist hears: the channels differ in the expected direction.
#include "engine/AmpEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

// Magnitude of the component at `frequency`, measured over whole periods.
double amplitudeAt(const std::vector<float>& x, size_t start, size_t length, double frequency, double rate)
{
    double re = 0.0, im = 0.0;
    for (size_t i = 0; i < length; ++i) {
        const double phase = 2.0 * kPi * frequency * static_cast<double>(i) / rate;
        re += x[start + i] * std::cos(phase);
        im -= x[start + i] * std::sin(phase);
    }
    return 2.0 * std::hypot(re, im) / static_cast<double>(length);
}

struct Measurement {
    double fundamental;  // amplitude of the 1 kHz component
    double harmonicsDb;  // harmonics 2 to 9 relative to it
};

Measurement measureSine(int32_t channel, float drive, float amplitude)
{
    const double rate = 44100.0, frequency = 1000.0;
    AmpEngine engine;
    engine.setSampleRate(static_cast<float>(rate));
    engine.setChannel(channel);
    engine.setDrive(drive);
    engine.setCabinetBypass(1.0f);
    std::vector<float> x(2 * 44100), left(x.size()), right(x.size());
    for (size_t i = 0; i < x.size(); ++i)
        x[i]
            = amplitude * static_cast<float>(std::sin(2.0 * kPi * frequency * static_cast<double>(i) / rate));
    engine.processReplacing(x.data(), left.data(), right.data(), static_cast<int32_t>(x.size()));

    const size_t length = 44100, start = left.size() - length;  // the second second: settled
    double harmonics = 0.0;
    for (int h = 2; h <= 9; ++h) {
        const double a = amplitudeAt(left, start, length, frequency * h, rate);
        harmonics += a * a;
    }
    const double fundamental = amplitudeAt(left, start, length, frequency, rate);
    return {fundamental, 10.0 * std::log10(harmonics) - 20.0 * std::log10(fundamental)};
}

double ratioDb(double a, double b)
{
    return 20.0 * std::log10(a / b);
}

}  // namespace

TEST(AmpEngineSound, CleanAtLowDriveStaysLinearAndUndistorted)
{
    const Measurement quiet = measureSine(0, 0.05f, 0.1f);
    const Measurement loud = measureSine(0, 0.05f, 0.5f);
    EXPECT_LT(loud.harmonicsDb, -40.0);
    EXPECT_NEAR(ratioDb(loud.fundamental, quiet.fundamental), ratioDb(0.5, 0.1), 0.5)
        << "5x the input, 5x the output";
}

TEST(AmpEngineSound, UltraSaturatesIntoHeavyCompression)
{
    const Measurement quiet = measureSine(2, 0.9f, 0.1f);
    const Measurement loud = measureSine(2, 0.9f, 0.5f);
    EXPECT_LT(std::fabs(ratioDb(loud.fundamental, quiet.fundamental)), 0.5)
        << "14 dB more input, the same output";
    EXPECT_GT(loud.harmonicsDb, -25.0);
}

TEST(AmpEngineSound, DistortionGrowsFromCleanThroughCrunchToUltra)
{
    const double clean = measureSine(0, 0.3f, 0.5f).harmonicsDb;
    const double crunch = measureSine(1, 0.3f, 0.5f).harmonicsDb;
    const double ultra = measureSine(2, 0.3f, 0.5f).harmonicsDb;
    EXPECT_LT(clean, crunch - 6.0);
    EXPECT_LT(crunch, ultra);
}
