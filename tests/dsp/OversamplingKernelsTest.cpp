#include "dsp/OversamplingKernels.h"

#include <gtest/gtest.h>

TEST(OversamplingKernels, FourRatesMatchExactlyWithPaddedUpsamplerKernels)
{
    const struct {
        float rate;
        int upsamplerTaps, decimatorTaps;
    } supported[] = {{44100.0f, 16, 13}, {48000.0f, 16, 15}, {88200.0f, 28, 27}, {96000.0f, 32, 29}};
    for (const auto& s : supported) {
        const ResamplingKernels* k = findResamplingKernels(s.rate);
        ASSERT_NE(k, nullptr) << s.rate;
        EXPECT_EQ(k->upsamplerTaps, s.upsamplerTaps) << s.rate;
        EXPECT_EQ(k->decimatorTaps, s.decimatorTaps) << s.rate;
        for (int j = 0; j < k->upsamplerTaps; ++j)
            EXPECT_EQ(k->upsamplerKernel[j], j < k->decimatorTaps ? k->decimatorKernel[j] : 0.0)
                << s.rate << " Hz, tap " << j;
    }
    for (float rate : {32000.0f, 44100.5f, 192000.0f})
        EXPECT_EQ(findResamplingKernels(rate), nullptr) << rate;
}

TEST(OversamplingKernels, NearestSupportedRateStandsInForOthers)
{
    const struct {
        float rate, expected;
    } cases[] = {{8000.0f, 44100.0f}, {46000.0f, 44100.0f}, {46100.0f, 48000.0f}, {70000.0f, 88200.0f},
        {192000.0f, 96000.0f}};
    for (const auto& c : cases)
        EXPECT_EQ(nearestResamplingKernels(c.rate).rate, c.expected) << c.rate;
}
