#include "dsp/OnePoleFilter.h"

#include <gtest/gtest.h>

TEST(OnePoleFilter, LowPassSettlesToConstantAndHighPassToZero)
{
    OnePoleFilter::Coefficients c;
    c.setCutoff(500.0, 176400.0);
    OnePoleFilter::State low, high;
    float l = 0.0f, h = 0.0f;
    for (int i = 0; i < 20000; ++i) {
        l = OnePoleFilter::lowPass(c, low, 0.75f);
        h = OnePoleFilter::highPass(c, high, 0.75f);
    }
    EXPECT_NEAR(l, 0.75f, 1e-5f);
    EXPECT_NEAR(h, 0.0f, 1e-5f);
}

TEST(OnePoleFilter, ZeroCutoffHoldsLowPassAndPassesHighPassChanges)
{
    OnePoleFilter::Coefficients c;
    c.setCutoff(0.0, 44100.0);
    EXPECT_EQ(c.pole, 1.0);
    OnePoleFilter::State low, high;
    low.y1 = 0.5f;
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(OnePoleFilter::lowPass(c, low, 3.0f), 0.5f);
    // With h = 1 the high-pass is x - x1 + y1: a step stays forever, undecayed.
    OnePoleFilter::highPass(c, high, 1.0f);
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(OnePoleFilter::highPass(c, high, 1.0f), 1.0f);
}
