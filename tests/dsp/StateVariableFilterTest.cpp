#include "dsp/StateVariableFilter.h"

#include "FrequencyResponse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kLowPass = StateVariableFilter::kLowPass;
constexpr int kBandPass = StateVariableFilter::kBandPass;

std::vector<float> impulseResponseOf(StateVariableFilter& filter, int length = 16384)
{
    return impulseResponse([&](float x) { return filter.process(x); }, length);
}

}  // namespace

TEST(StateVariableFilter, CabinetSettingsReachTheirIterationCountsAndTuningCells)
{
    struct Case {
        const char* name;
        float fs, frequency, q;
        int mode;
        int iterations;
        double referredFrequency;  // per iteration, referred to 44100 Hz
        double factor;             // tuning table cell; 1 for a low-pass
    };
    const Case cases[] = {
        {"highBand", 44100, 8485, 1.414f, kBandPass, 2, 4242.5, 0.854766962},
        {"highBand", 48000, 8485, 1.414f, kBandPass, 2, 3897.796875, 0.867800643},
        {"highBand", 88200, 8485, 1.414f, kBandPass, 1, 4242.5, 0.854766962},
        {"highBand", 96000, 8485, 1.414f, kBandPass, 1, 3897.796875, 0.867800643},
        {"mainBand", 44100, 3044, 0.5f, kBandPass, 1, 3044.0, 0.810353909},
        {"mainBand", 48000, 3044, 0.5f, kBandPass, 1, 2796.675, 0.821201794},
        {"mainBand", 88200, 3044, 0.5f, kBandPass, 1, 1522.0, 0.89307438},
        {"mainBand", 96000, 3044, 0.5f, kBandPass, 1, 1398.3375, 0.899837838},
        {"lowBand", 44100, 269, 0.5f, kBandPass, 1, 269.0, 0.98147619},
        {"lowBand", 48000, 269, 0.5f, kBandPass, 1, 247.14375, 0.983947368},
        {"lowBand", 88200, 269, 0.5f, kBandPass, 1, 134.5, 0.966909091},
        {"lowBand", 96000, 269, 0.5f, kBandPass, 1, 123.571875, 0.908888889},
        {"subBand", 44100, 120.512f, 0.5f, kBandPass, 1, 120.512, 0.908888889},
        {"subBand", 48000, 120.512f, 0.5f, kBandPass, 1, 110.7204, 0.908888889},
        {"subBand", 88200, 120.512f, 0.5f, kBandPass, 1, 60.256, 0.87344},
        {"subBand", 96000, 120.512f, 0.5f, kBandPass, 1, 55.3602, 0.87344},
        {"highCut", 44100, 10000, 1.414f, kLowPass, 2, 5000.0, 1.0},
        {"highCut", 48000, 10000, 1.414f, kLowPass, 2, 4593.75, 1.0},
        {"highCut", 88200, 10000, 1.414f, kLowPass, 1, 5000.0, 1.0},
        {"highCut", 96000, 10000, 1.414f, kLowPass, 1, 4593.75, 1.0},
    };
    for (const Case& c : cases) {
        StateVariableFilter filter;
        filter.configure(c.fs, c.frequency, c.q, 1.0f, c.mode);
        const double expectedTuning
            = 2.0 * std::sin(c.referredFrequency * c.factor * 3.141592653589793 / 44100.0);
        EXPECT_EQ(filter.iterations, c.iterations) << c.name << " at " << c.fs;
        EXPECT_NEAR(filter.tuning, expectedTuning, 1e-6 * expectedTuning) << c.name << " at " << c.fs;
        EXPECT_FLOAT_EQ(filter.damping, 1.0f / c.q) << c.name << " at " << c.fs;
    }
}

TEST(StateVariableFilter, LimitsFrequencyAndQAndScalesOutputByMode)
{
    struct Case {
        float frequency, q, gain;
        int mode;
        float limitedFrequency, limitedQ, outputGain;
    };
    const Case cases[] = {
        {30000, 2.0f, 1.0f, kBandPass, 22050, 2.0f, 0.5f},
        {1000, 0.1f, 1.0f, kBandPass, 1000, 0.5f, 2.0f},
        {1000, 500.0f, 3.0f, kBandPass, 1000, 100.0f, 0.03f},
        {1000, 0.7f, 2.0f, kLowPass, 1000, 0.7f, 2.0f},  // below q 1 a low-pass keeps its gain
        {1000, 2.0f, 2.0f, kLowPass, 1000, 2.0f, 1.0f},
    };
    for (const Case& c : cases) {
        StateVariableFilter filter;
        filter.configure(44100, c.frequency, c.q, c.gain, c.mode);
        EXPECT_EQ(filter.frequency, c.limitedFrequency) << "f " << c.frequency << ", q " << c.q;
        EXPECT_EQ(filter.q, c.limitedQ) << "f " << c.frequency << ", q " << c.q;
        EXPECT_FLOAT_EQ(filter.outputGain, c.outputGain)
            << "mode " << c.mode << ", q " << c.q << ", gain " << c.gain;
    }
}

TEST(StateVariableFilter, BandPassPeaksNearCentreAndBlocksDc)
{
    constexpr double fs = 44100.0;
    StateVariableFilter filter;
    filter.configure(fs, 1000.0f, 2.0f, 1.0f, kBandPass);
    const std::vector<float> h = impulseResponseOf(filter);
    // A second-order band-pass with q = 2 is 10 dB down one octave either side.
    EXPECT_NEAR(gainDb(h, 1000.0, fs), 0.0, 0.5) << "centre";
    EXPECT_NEAR(gainDb(h, 500.0, fs), -10.0, 1.0) << "octave below";
    EXPECT_NEAR(gainDb(h, 2000.0, fs), -10.0, 1.0) << "octave above";
    EXPECT_LT(gainDb(h, 0.0, fs), -60.0) << "DC";
}

TEST(StateVariableFilter, LowPassPassesDcIsThreeDbDownAtCutoffAndFallsAbove)
{
    struct Case {
        double fs;
        float cutoff, q;
    };
    // 6 kHz at 44100 Hz runs two iterations per sample; the others one.
    const Case cases[]
        = {{44100, 1000, 0.707f}, {96000, 1000, 0.707f}, {48000, 2500, 0.707f}, {44100, 6000, 0.707f}};
    for (const Case& c : cases) {
        StateVariableFilter filter;
        filter.configure(static_cast<float>(c.fs), c.cutoff, c.q, 1.0f, kLowPass);
        const std::vector<float> h = impulseResponseOf(filter);
        EXPECT_NEAR(gainDb(h, 0.0, c.fs), 0.0, 0.01) << "DC, fc " << c.cutoff << ", fs " << c.fs;
        EXPECT_NEAR(gainDb(h, c.cutoff, c.fs), -3.0, 0.6) << "cut-off, fc " << c.cutoff << ", fs " << c.fs;
        // An analog second-order low-pass is 24 dB down two octaves up; the digital loop
        // has no zero at Nyquist and falls a little slower as 4·fc nears fs/2.
        if (4.0 * c.cutoff < c.fs / 2.0) {
            EXPECT_LT(gainDb(h, 4.0 * c.cutoff, c.fs), -18.0)
                << "two octaves up, fc " << c.cutoff << ", fs " << c.fs;
        }
    }
}

TEST(StateVariableFilter, ZeroOutputGainOutputsSilenceAndHoldsState)
{
    StateVariableFilter filter;
    filter.configure(44100, 1000, 2.0f, 1.0f, kBandPass);
    for (int i = 0; i < 10; ++i)
        filter.process(1.0f);
    filter.configure(44100, 1000, 2.0f, 0.0f, kBandPass);
    const float band = filter.bandState, low = filter.lowState, previous = filter.previousInput;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(filter.process(0.5f), 0.0f);
    EXPECT_EQ(filter.bandState, band);
    EXPECT_EQ(filter.lowState, low);
    EXPECT_EQ(filter.previousInput, previous);
}
