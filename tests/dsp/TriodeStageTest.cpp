#include "dsp/TriodeStage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {
constexpr float kFs = 176400.0f;
}

TEST(TriodeStage, TransferInterpolatesTheTableAndHoldsItsEnds)
{
    const struct {
        float v;
        float expected;
    } cases[] = {
        {0.0f, -0.010003f},
        {0.05f, 0.0250185f},
        {-1.0f, -0.616002f},
        {1.2f, 0.678303f},
        {7.65f, 0.9999495f},
        {7.7f, 0.999953f},
        {1000.0f, 0.999953f},
        {-7.6f, -1.019946f},
        {-50.0f, -1.019946f},
        {std::nextafter(7.7f, 0.0f), 0.999953f},  // last interval, never past the table
        {std::nextafter(-7.6f, 0.0f), -1.019946f},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(triodeTransfer(c.v), c.expected, 3e-7f) << "v = " << c.v;
}

TEST(TriodeStage, TableFollowsShiftedTanhAndRisesMonotonically)
{
    float previous = -2.0f;
    for (int i = 0; i < TriodeTransferTable::size; ++i) {
        const double x = (i - TriodeTransferTable::zeroIndex) / 10.0;
        const float value = triodeTransfer(static_cast<float>(x));
        EXPECT_NEAR(value, 1.01 * std::tanh(x * std::log(2.0)) - 0.01, 1.5e-4) << "x = " << x;
        EXPECT_GT(value, previous) << "x = " << x;
        previous = value;
    }
}

TEST(TriodeStage, SilenceGivesABiasTransientThenZero)
{
    TriodeStage::Coefficients stage;
    stage.configure(kFs, 86.0f, 22570.0f, 33.0f, 68.0f, 2.7f);
    TriodeStage::State state;
    float largest = 0.0f, last = 0.0f;
    for (int n = 0; n < static_cast<int>(kFs); ++n) {
        last = TriodeStage::process(stage, state, 0.0f);
        largest = std::max(largest, std::fabs(last));
    }
    EXPECT_GT(largest, 0.01f);
    EXPECT_LT(std::fabs(last), 1e-6f);
    // The bias loop rests where v = -biasState/R, close to -2.5·k/R.
    const float v = -state.biasState * stage.biasScale;
    EXPECT_NEAR(v, -2.5f * 2.7f / 68.0f, 0.002f);
    EXPECT_NEAR(state.biasState, (250.0f - triodeTransfer(v)) * 0.027f, 1e-4f);
}

TEST(TriodeStage, OverdrivenSineClipsNegativePeaksTwoPercentDeeper)
{
    // A zero coupling cut-off makes the output high-pass an identity, exposing the curve.
    TriodeStage::Coefficients stage;
    stage.configure(kFs, 86.0f, 22570.0f, 0.0f, 68.0f, 2.7f);
    stage.gain = 30.0f;
    TriodeStage::State state;
    float highest = 0.0f, lowest = 0.0f;
    for (int n = 0; n < 20000; ++n) {
        const float y = TriodeStage::process(stage, state, std::sin(6.283185f * 440.0f * n / kFs));
        highest = std::max(highest, y);
        lowest = std::min(lowest, y);
    }
    EXPECT_NEAR(highest, 0.999953f, 1e-4f);
    EXPECT_NEAR(lowest, -1.019946f, 1e-4f);
    EXPECT_NEAR(-lowest / highest, 1.02, 0.001);
}
