#include "dsp/DecimationFilter.h"
#include "dsp/OversamplingKernels.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {
constexpr float kRates[] = {44100.0f, 48000.0f, 88200.0f, 96000.0f};

void configureFor(DecimationFilter& filter, float rate)
{
    const ResamplingKernels& k = *findResamplingKernels(rate);
    ASSERT_TRUE(filter.configure(k.decimatorKernel, k.decimatorTaps));
}
}  // namespace

TEST(DecimationFilter, ImpulsePeaksAfterHalfTheLengthAndDcGainIsOne)
{
    for (float rate : kRates) {
        DecimationFilter filter;
        configureFor(filter, rate);
        const int taps = filter.length();
        std::vector<float> impulse(taps);
        for (int n = 0; n < taps; ++n)
            impulse[n] = filter.process(n == 0 ? 1.0f : 0.0f);
        for (int n = 0; n < taps; ++n) {
            EXPECT_EQ(impulse[n], impulse[taps - 1 - n]) << rate << " Hz, sample " << n;
            if (n != (taps - 1) / 2) {
                EXPECT_LT(impulse[n], impulse[(taps - 1) / 2]) << rate << " Hz, sample " << n;
            }
        }
        float settled = 0.0f;
        for (int n = 0; n < 2 * taps; ++n)
            settled = filter.process(0.8f);
        EXPECT_NEAR(settled, 0.8f, 1e-6f) << rate << " Hz";
    }
}

TEST(DecimationFilter, MatchesDirectConvolutionAcrossHistoryWraps)
{
    std::mt19937 generator(5);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    std::vector<float> input(200);
    for (float& v : input)
        v = sample(generator);
    for (float rate : kRates) {
        const ResamplingKernels& k = *findResamplingKernels(rate);
        DecimationFilter filter;
        configureFor(filter, rate);
        for (std::size_t n = 0; n < input.size(); ++n) {
            double reference = 0.0;
            for (std::size_t j = 0; j < static_cast<std::size_t>(k.decimatorTaps) && j <= n; ++j)
                reference += k.decimatorKernel[j] * input[n - j];
            ASSERT_NEAR(filter.process(input[n]), reference, 1e-6) << rate << " Hz, sample " << n;
        }
    }
}

TEST(DecimationFilter, ShorterKernelAfterLongerRestartsCleanly)
{
    DecimationFilter fresh, switched;
    configureFor(fresh, 44100.0f);
    configureFor(switched, 96000.0f);
    for (int n = 0; n < 5; ++n)  // leaves the position beyond the shorter history
        switched.process(0.5f);
    configureFor(switched, 44100.0f);
    for (int n = 0; n < 40; ++n) {
        const float x = n == 3 ? 1.0f : 0.25f;
        EXPECT_EQ(switched.process(x), fresh.process(x)) << "sample " << n;
    }
}
