#include "dsp/StateVariableFilterLanes.h"

#include "BitIdentity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

StateVariableFilter configured(float fs, float frequency, float q, float gain, int mode)
{
    StateVariableFilter filter;
    filter.configure(fs, frequency, q, gain, mode);
    return filter;
}

}  // namespace

// Pairs that run as lanes (equal pass counts, one or several passes, band-pass beside
// low-pass) and pairs that must not (unequal passes, a silenced filter), stepped with either
// filter idle now and then: every output of a running filter and every state at the end of
// each block must equal the scalar filters' bit for bit.
TEST(StateVariableFilterLanes, MatchesScalarFiltersBitForBitWithIdleSteps)
{
    constexpr int kBand = StateVariableFilter::kBandPass, kLow = StateVariableFilter::kLowPass;
    struct Case {
        const char* name;
        StateVariableFilter a, b;
    };
    const Case cases[] = {
        {"two passes each", configured(48000, 8485, 1.414f, 1, kBand),
            configured(48000, 10000, 1.414f, 1, kLow)},
        {"one pass each", configured(96000, 8485, 1.414f, 1, kBand), configured(96000, 10000, 0.7f, 1, kLow)},
        {"three passes each", configured(32000, 8485, 1.414f, 1, kBand),
            configured(32000, 10000, 3, 2, kBand)},
        {"unequal passes", configured(44100, 3000, 0.5f, 1, kBand),
            configured(44100, 10000, 1.414f, 1, kLow)},
        {"A silenced", configured(48000, 8485, 1.414f, 0, kBand), configured(48000, 10000, 1.414f, 1, kLow)},
    };
    for (const Case& c : cases) {
        StateVariableFilter scalarA = c.a, scalarB = c.b, pairedA = c.a, pairedB = c.b;
        int n = 0;
        for (int block = 0; block < 40; ++block) {
            StateVariableFilterLanes pair(pairedA, pairedB);
            for (int i = 0; i < 1 + block * 7 % 50; ++i, ++n) {
                const float t = static_cast<float>(n);
                const float xa = std::sin(0.37f * t) * ((n / 300) % 3 == 1 ? 20.0f : 0.5f);
                const float xb = (n / 200) % 4 == 3 ? 0.0f : std::sin(0.011f * t) + 0.3f * std::sin(1.9f * t);
                float ya = 0.0f, yb = 0.0f;
                const std::string where = std::string(c.name) + ", sample " + std::to_string(n);
                if (n % 5 == 3) {
                    pair.process<StateVariableFilterLanes::kA>(xa, xb, ya, yb);
                    ASSERT_EQ(bits(yb), bits(scalarB.process(xb))) << where << ", A idle";
                } else if (n % 7 == 4) {
                    pair.process<StateVariableFilterLanes::kB>(xa, xb, ya, yb);
                    ASSERT_EQ(bits(ya), bits(scalarA.process(xa))) << where << ", B idle";
                } else {
                    pair.process<0>(xa, xb, ya, yb);
                    ASSERT_EQ(bits(ya), bits(scalarA.process(xa))) << where << ", A";
                    ASSERT_EQ(bits(yb), bits(scalarB.process(xb))) << where << ", B";
                }
            }
            pair.store(pairedA, pairedB);
            expectSameFilter(pairedA, scalarA, std::string(c.name) + ", A");
            expectSameFilter(pairedB, scalarB, std::string(c.name) + ", B");
        }
    }
}
