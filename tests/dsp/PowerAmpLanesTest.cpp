#include "dsp/PowerAmpLanes.h"

#include "BitIdentity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

void expectSameStates(const PowerAmp::State& a, const PowerAmp::State& e, int block)
{
    const float actual[] = {a.sagA, a.sagB, a.resonanceA, a.resonanceB, a.brightA, a.brightB,
        a.resonanceFilterA.z1, a.resonanceFilterA.z2, a.resonanceFilterB.z1, a.resonanceFilterB.z2,
        a.voicingFilter.z1, a.voicingFilter.z2, a.brightFilterA.x1, a.brightFilterB.y1, a.sagFilterA.y1,
        a.sagFilterB.y1, a.toneFilterA.y1, a.toneFilterB.y1, a.couplingFilterA.x1, a.couplingFilterB.y1,
        a.outputFilter.y1};
    const float expected[] = {e.sagA, e.sagB, e.resonanceA, e.resonanceB, e.brightA, e.brightB,
        e.resonanceFilterA.z1, e.resonanceFilterA.z2, e.resonanceFilterB.z1, e.resonanceFilterB.z2,
        e.voicingFilter.z1, e.voicingFilter.z2, e.brightFilterA.x1, e.brightFilterB.y1, e.sagFilterA.y1,
        e.sagFilterB.y1, e.toneFilterA.y1, e.toneFilterB.y1, e.couplingFilterA.x1, e.couplingFilterB.y1,
        e.outputFilter.y1};
    for (size_t i = 0; i < sizeof actual / sizeof actual[0]; ++i)
        EXPECT_EQ(bits(actual[i]), bits(expected[i])) << "block " << block << ", state " << i;
}

}  // namespace

// Blocks of varying length with voicing, presence and low boost changed between them: every
// output and every state must equal the scalar power amp's bit for bit.
TEST(PowerAmpLanes, MatchesScalarPowerAmpBitForBitAcrossBlocksAndSettings)
{
    PowerAmp::Coefficients design;
    design.configure(192000.0f);
    design.lowBoost = 2.0f;
    PowerAmp::State scalar, paired;
    const int blockLengths[] = {1, 4, 7, 256, 2048, 3};
    int n = 0;
    for (int block = 0; block < 120; ++block) {
        if (block % 20 == 10) {
            const float voicing = static_cast<float>(block % 7) * 100.0f;
            const float presence = static_cast<float>(block % 3) * 0.4f;
            const float lowBoost = block % 40 == 10 ? 0.7071f : 1.0f;
            design.setVoicing(voicing, 192000.0f);
            design.presence = presence;
            design.lowBoost = lowBoost;
        }
        PowerAmpLanes lanes(design, paired);
        for (int i = 0; i < blockLengths[block % 6]; ++i, ++n) {
            // A decaying chord with loud stretches and silence.
            const float envelope = std::exp(-static_cast<float>(n % 20000) / 5000.0f);
            float w = envelope
                * (std::sin(0.031f * static_cast<float>(n))
                    + 0.5f * std::sin(0.0071f * static_cast<float>(n)));
            if ((n / 15000) % 3 == 1)
                w *= 30.0f;
            if ((n / 15000) % 5 == 4)
                w = 0.0f;
            const float expected = PowerAmp::process(design, scalar, w);
            const float actual = lanes.push(w);
            ASSERT_EQ(bits(actual), bits(expected))
                << "block " << block << ", sample " << n << ": " << actual << " vs " << expected;
        }
        lanes.store(paired);
        expectSameStates(paired, scalar, block);
    }
}
