#include "dsp/ToneStackLanes.h"

#include "dsp/FilterDesign.h"

#include "BitIdentity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

void setControls(ToneStack::Coefficients& stack, float bass, float mid, float treble)
{
    designToneStack(bass, mid, treble, 192000.0f, stack);
}

}  // namespace

// Runs the chain as the engine does, in blocks of varying length (down to the shortest, two
// samples) with the controls moved between blocks, and demands every output and every section state
// bit-equal to the scalar tone stack.
TEST(ToneStackLanes, MatchesScalarToneStackBitForBitAcrossBlocksAndSettings)
{
    ToneStack::Coefficients design;
    setControls(design, 0.0f, 0.0f, 0.0f);
    ToneStack::State scalar, pipelined;
    const int blockLengths[] = {2, 3, 4, 257, 2048, 9, 5};
    int n = 0;
    for (int block = 0; block < 140; ++block) {
        if (block % 10 == 5) {
            const float bass = static_cast<float>(block % 3) * 0.5f - 0.5f;
            const float mid = static_cast<float>(block % 4) * 0.3f - 0.5f;
            const float treble = static_cast<float>(block % 5) * 0.25f - 0.5f;
            setControls(design, bass, mid, treble);
        }
        const int length = blockLengths[block % 7];
        std::vector<float> in(static_cast<size_t>(length)), expected(in.size()), actual(in.size());
        for (size_t i = 0; i < in.size(); ++i, ++n) {
            // Chords with loud stretches and silence.
            const float envelope = std::exp(-static_cast<float>(n % 30000) / 8000.0f);
            float x = envelope
                * (std::sin(0.021f * static_cast<float>(n)) + 0.7f * std::sin(0.37f * static_cast<float>(n)));
            if ((n / 11000) % 3 == 1)
                x *= 40.0f;
            if ((n / 11000) % 5 == 4)
                x = 0.0f;
            in[i] = x;
            expected[i] = ToneStack::process(design, scalar, x);
        }

        ToneStackLanes lanes(design, pipelined);
        lanes.fill<0>(in[0]);
        lanes.fill<1>(in[1]);
        for (int i = ToneStackLanes::kLatency; i < length; ++i)
            actual[static_cast<size_t>(i - ToneStackLanes::kLatency)]
                = lanes.push(in[static_cast<size_t>(i)]);
        actual[static_cast<size_t>(length - 2)] = lanes.drain<0>();
        actual[static_cast<size_t>(length - 1)] = lanes.drain<1>();
        lanes.store(pipelined);

        for (size_t i = 0; i < in.size(); ++i)
            ASSERT_EQ(bits(actual[i]), bits(expected[i]))
                << "block " << block << ", sample " << i << ": " << actual[i] << " vs " << expected[i];
        const Biquad::State* const a[]
            = {&pipelined.trebleSection, &pipelined.midSection, &pipelined.bassSection};
        const Biquad::State* const e[] = {&scalar.trebleSection, &scalar.midSection, &scalar.bassSection};
        for (int s = 0; s < 3; ++s) {
            ASSERT_EQ(bits(a[s]->z1), bits(e[s]->z1)) << "block " << block << ", section " << s;
            ASSERT_EQ(bits(a[s]->z2), bits(e[s]->z2)) << "block " << block << ", section " << s;
        }
    }
}
