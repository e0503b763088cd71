#include "dsp/OversamplingKernels.h"
#include "dsp/PolyphaseUpsampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {
constexpr float kRates[] = {44100.0f, 48000.0f, 88200.0f, 96000.0f};

void configureFor(PolyphaseUpsampler& upsampler, float rate)
{
    const ResamplingKernels& k = *findResamplingKernels(rate);
    ASSERT_TRUE(upsampler.configure(4, k.upsamplerKernel, k.upsamplerTaps));
}

std::vector<float> upsample(PolyphaseUpsampler& upsampler, const std::vector<float>& input)
{
    std::vector<float> output;
    for (float x : input) {
        const float* phases = upsampler.process(x);
        output.insert(output.end(), phases, phases + 4);
    }
    return output;
}

std::vector<float> noise(int length, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    std::vector<float> values(length);
    for (float& v : values)
        v = sample(generator);
    return values;
}
}  // namespace

TEST(PolyphaseUpsampler, ImpulseYieldsKernelTapsInPhaseOrder)
{
    for (float rate : kRates) {
        const ResamplingKernels& k = *findResamplingKernels(rate);
        const int calls = k.upsamplerTaps / 4;
        PolyphaseUpsampler upsampler;
        configureFor(upsampler, rate);
        for (int call = 0; call <= calls; ++call) {
            const float* out = upsampler.process(call == 0 ? 1.0f : 0.0f);
            for (int phase = 0; phase < 4; ++phase) {
                const bool used = call < calls && !(phase == 1 && call == calls - 1);
                const float expected = used ? static_cast<float>(k.upsamplerKernel[phase + 4 * call]) : 0.0f;
                EXPECT_EQ(out[phase], expected) << rate << " Hz, call " << call << ", phase " << phase;
            }
        }
    }
    // At 48000 Hz phase 1's unused tap 13 is a real kernel value, not a zero pad.
    PolyphaseUpsampler upsampler;
    configureFor(upsampler, 48000.0f);
    const double phaseOne[] = {0.00543927743442, 0.119354852505, 0.119354852505, 0.0};
    const double phaseThree[] = {0.0444220792883, 0.161844566939, 0.0444220792883, 0.0};
    for (int call = 0; call < 4; ++call) {
        const float* out = upsampler.process(call == 0 ? 1.0f : 0.0f);
        EXPECT_EQ(out[1], static_cast<float>(phaseOne[call])) << "48000 Hz, call " << call;
        EXPECT_EQ(out[3], static_cast<float>(phaseThree[call])) << "48000 Hz, call " << call;
    }
}

TEST(PolyphaseUpsampler, MatchesZeroStuffAndFilterReference)
{
    const std::vector<float> input = noise(300, 7);
    for (float rate : kRates) {
        const ResamplingKernels& k = *findResamplingKernels(rate);
        std::vector<double> kernel(k.upsamplerKernel, k.upsamplerKernel + k.upsamplerTaps);
        kernel[1 + 4 * (k.upsamplerTaps / 4 - 1)] = 0.0;  // the tap phase 1 leaves out
        std::vector<double> stuffed(4 * input.size(), 0.0);
        for (std::size_t n = 0; n < input.size(); ++n)
            stuffed[4 * n] = input[n];

        PolyphaseUpsampler upsampler;
        configureFor(upsampler, rate);
        const std::vector<float> output = upsample(upsampler, input);
        for (std::size_t m = 0; m < stuffed.size(); ++m) {
            double reference = 0.0;
            for (std::size_t j = 0; j < kernel.size() && j <= m; ++j)
                reference += kernel[j] * stuffed[m - j];
            ASSERT_NEAR(output[m], reference, 1e-7) << rate << " Hz, output sample " << m;
        }
    }
}

// The engine's output depends on the last bit of every phase: each phase must be its own sum
// in double over its taps in order (phase 1 without its last tap), rounded once to float.
TEST(PolyphaseUpsampler, PhasesSumTheirTapsInOrderBitForBit)
{
    std::vector<float> input = noise(400, 11);
    for (std::size_t n = 100; n < 200; ++n)
        input[n] *= 3000.0f;  // loud stretch
    for (std::size_t n = 250; n < 300; ++n)
        input[n] = 0.0f;  // silence, where a stray -0 would show
    for (float rate : kRates) {
        const ResamplingKernels& k = *findResamplingKernels(rate);
        const int taps = k.upsamplerTaps / 4;
        PolyphaseUpsampler upsampler;
        configureFor(upsampler, rate);
        for (std::size_t n = 0; n < input.size(); ++n) {
            const float* out = upsampler.process(input[n]);
            for (int phase = 0; phase < 4; ++phase) {
                double sum = 0.0;
                for (int j = 0; j < (phase == 1 ? taps - 1 : taps); ++j)
                    sum += k.upsamplerKernel[phase + 4 * j]
                        * (n >= static_cast<std::size_t>(j) ? static_cast<double>(input[n - j]) : 0.0);
                ASSERT_EQ(std::signbit(out[phase]), std::signbit(static_cast<float>(sum)))
                    << rate << " Hz, sample " << n << ", phase " << phase;
                ASSERT_EQ(out[phase], static_cast<float>(sum))
                    << rate << " Hz, sample " << n << ", phase " << phase;
            }
        }
    }
}

TEST(PolyphaseUpsampler, ReconfigureClearsHistoryAndRejectedOneKeepsIt)
{
    const std::vector<float> input = noise(40, 3);
    PolyphaseUpsampler fresh, switched;
    configureFor(fresh, 44100.0f);
    configureFor(switched, 44100.0f);
    for (float rate : {96000.0f, 44100.0f}) {
        upsample(switched, noise(37, 11));
        configureFor(switched, rate);
    }
    const double tooShort[] = {1.0, 2.0};
    EXPECT_FALSE(switched.configure(4, tooShort, 2));
    EXPECT_EQ(upsample(switched, input), upsample(fresh, input));
}
