#include "dsp/FractionalDelayLine.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Output of a freshly configured line for an impulse at call `at` (and silence elsewhere).
std::vector<float> responseToImpulseAt(FractionalDelayLine& line, int at, int length)
{
    std::vector<float> out(length);
    for (int n = 0; n < length; ++n)
        out[n] = line.process(n == at ? 1.0f : 0.0f);
    return out;
}

}  // namespace

TEST(FractionalDelayLine, ImpulseReappearsAtDelayAndOneLaterWeightedByFraction)
{
    struct Case {
        float gainDb, fs, frequency;
        int delay;
        float frac;
        int impulseAt;  // late enough for the taps not to touch slot 0
    };
    const Case cases[] = {
        {100, 44100, 294, 150, 0.0f, 100},
        {6, 44100, 1500, 29, 0.4f, 100},
        {100, 44100, 12000 / 6.18034f, 22, 0.71275f, 3000},  // after two trips round the ring
        {3, 96000, 12000 / 19.31954f, 154, 0.5563f, 1500},
        // The longest delay the ring holds: the older tap reaches 1023 samples back.
        {100, 96000, 96000.0f / 1022.5f, 1022, 0.5f, 5},
    };
    for (const Case& c : cases) {
        auto line = std::make_unique<FractionalDelayLine>();
        line->configure(c.gainDb, c.fs, c.frequency);
        ASSERT_EQ(line->delaySamples, c.delay) << "fs " << c.fs << ", f " << c.frequency;
        const float k = line->feedForward;
        const std::vector<float> out = responseToImpulseAt(*line, c.impulseAt, c.impulseAt + 1100);
        for (int n = 0; n < static_cast<int>(out.size()); ++n) {
            float expected = 0.0f;
            if (n == c.impulseAt)
                expected = 1.0f;
            else if (n == c.impulseAt + c.delay)
                expected = k * (1.0f - c.frac);
            else if (n == c.impulseAt + c.delay + 1)
                expected = k * c.frac;
            EXPECT_NEAR(out[n], expected, 2e-4f) << "call " << n << ", fs " << c.fs << ", f " << c.frequency;
        }
    }
}

TEST(FractionalDelayLine, FeedForwardSetsPeakToNotchRatioOrFullWeight)
{
    struct Case {
        float gainDb, feedForward;
    };
    const Case cases[]
        = {{6, 0.332279f}, {4, 0.226274f}, {3, 0.170997f}, {0, 0.0f}, {99, 0.9999775f}, {100, 1.0f}};
    for (const Case& c : cases) {
        FractionalDelayLine line;
        line.configure(c.gainDb, 44100, 1000);
        EXPECT_NEAR(line.feedForward, c.feedForward, 1e-6f) << c.gainDb << " dB";
    }
}

TEST(FractionalDelayLine, DelayedCopyKeepsItsShapeAcrossTheRingWrap)
{
    // The older tap of read index 0 is slot 1023; reading slot 0 there instead made a click
    // every 1024 samples that moved with the song position.
    for (int at : {0, 1, 1020, 1022, 1023, 1024, 2046, 2047}) {
        FractionalDelayLine line;
        line.configure(100, 13, 4);  // D = 3, frac = 0.25
        const std::vector<float> out = responseToImpulseAt(line, at, at + 8);
        for (int n = 0; n < at + 8; ++n) {
            const float expected = n == at ? 1.0f : n == at + 3 ? 0.75f : n == at + 4 ? 0.25f : 0.0f;
            ASSERT_EQ(out[n], expected) << "impulse at " << at << ", output " << n;
        }
    }
}
