#include "dsp/OnePoleFilter.h"

#include <gtest/gtest.h>

TEST(OnePoleFilter, LowPassSettlesToConstantAndHighPassToZero)
{
    OnePoleFilter low, high;
    low.setCutoff(500.0, 176400.0);
    high.setCutoff(500.0, 176400.0);
    float l = 0.0f, h = 0.0f;
    for (int i = 0; i < 20000; ++i) {
        l = low.processLowPass(0.75f);
        h = high.processHighPass(0.75f);
    }
    EXPECT_NEAR(l, 0.75f, 1e-5f);
    EXPECT_NEAR(h, 0.0f, 1e-5f);
}

TEST(OnePoleFilter, ZeroCutoffHoldsLowPassAndPassesHighPassChanges)
{
    OnePoleFilter low, high;
    low.setCutoff(0.0, 44100.0);
    high.setCutoff(0.0, 44100.0);
    EXPECT_EQ(low.pole, 1.0);
    low.y1 = 0.5f;
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(low.processLowPass(3.0f), 0.5f);
    // With h = 1 the high-pass is x - x1 + y1: a step stays forever, undecayed.
    high.processHighPass(1.0f);
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(high.processHighPass(1.0f), 1.0f);
}
