#include "dsp/PreampLanes.h"

#include "BitIdentity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr float kFs = 192000.0f;

void configure(Preamp::Coefficients& preamp, float inputHz, float gain)
{
    const float plate[] = {86.0f, 132.0f, 194.0f}, input[] = {inputHz, 6531.0f, 22570.0f};
    const float r[] = {68.0f, 100.0f, 150.0f}, k[] = {2.7f, 1.5f, 0.82f};
    for (int i = 0; i < Preamp::kStages; ++i) {
        preamp.stages[i].configure(kFs, plate[i], input[i], 33.0f, r[i], k[i]);
        preamp.stages[i].gain = gain * static_cast<float>(i + 1);
    }
    preamp.configureFeedback(kFs);
}

// Plucked tones, noise bursts, silence and overdriven stretches.
float testSignal(int n, uint32_t& seed)
{
    seed = seed * 1664525u + 1013904223u;
    const float noise = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
    const float envelope = std::exp(-static_cast<float>(n % 9000) / 2000.0f);
    const float tone = std::sin(0.0123f * static_cast<float>(n)) * envelope;
    switch ((n / 7000) % 4) {
    case 0:
        return 0.5f * tone;
    case 1:
        return 0.0f;
    case 2:
        return 40.0f * tone + 0.1f * noise;
    default:
        return 0.05f * noise;
    }
}

}  // namespace

// Runs the chain as the engine does, in blocks of varying length with settings changed between
// blocks, and demands every output and every state bit-equal to the scalar stages.
TEST(PreampLanes, MatchesScalarStagesBitForBitAcrossBlocksAndSettings)
{
    Preamp::Coefficients design;
    configure(design, 2500.0f, 4.0f);
    Preamp::State scalar, pipelined;
    const int blockLengths[] = {1, 2, 3, 64, 5, 511, 17};
    uint32_t seed = 7;
    int n = 0;
    for (int block = 0; block < 400; ++block) {
        if (block % 50 == 25) {  // another channel and drive, as between two host blocks
            const float inputHz = block % 100 == 25 ? 400.0f : 2500.0f;
            const float gain = 1.0f + static_cast<float>(block % 7) * 3.0f;
            configure(design, inputHz, gain);
        }
        const int length = 4 * blockLengths[block % 7];  // whole host samples of four
        std::vector<float> in(static_cast<size_t>(length)), expected(in.size()), actual(in.size());
        for (int i = 0; i < length; ++i, ++n) {
            in[static_cast<size_t>(i)] = testSignal(n, seed);
            expected[static_cast<size_t>(i)] = Preamp::process(design, scalar, in[static_cast<size_t>(i)]);
        }
        PreampLanes lanes(design, pipelined);
        lanes.fill<0>(in[0]);
        lanes.fill<1>(in[1]);
        for (int i = PreampLanes::kLatency; i < length; ++i)
            actual[static_cast<size_t>(i - PreampLanes::kLatency)] = lanes.push(in[static_cast<size_t>(i)]);
        actual[static_cast<size_t>(length - 2)] = lanes.drain<0>();
        actual[static_cast<size_t>(length - 1)] = lanes.drain<1>();
        lanes.store(pipelined);

        for (int i = 0; i < length; ++i)
            ASSERT_EQ(bits(actual[static_cast<size_t>(i)]), bits(expected[static_cast<size_t>(i)]))
                << "block " << block << ", sub-sample " << i << ": " << actual[static_cast<size_t>(i)]
                << " vs " << expected[static_cast<size_t>(i)];
        for (int s = 0; s < Preamp::kStages; ++s) {
            const TriodeStage::State& a = pipelined.stages[s];
            const TriodeStage::State& e = scalar.stages[s];
            ASSERT_EQ(bits(a.biasState), bits(e.biasState)) << "block " << block << ", stage " << s;
            ASSERT_EQ(bits(a.plateFilter.y1), bits(e.plateFilter.y1)) << "block " << block << ", stage " << s;
            ASSERT_EQ(bits(a.inputFilter.y1), bits(e.inputFilter.y1)) << "block " << block << ", stage " << s;
            ASSERT_EQ(bits(a.couplingFilter.y1), bits(e.couplingFilter.y1))
                << "block " << block << ", stage " << s;
            ASSERT_EQ(bits(a.couplingFilter.x1), bits(e.couplingFilter.x1))
                << "block " << block << ", stage " << s;
        }
        ASSERT_EQ(bits(pipelined.feedbackValue), bits(scalar.feedbackValue)) << "block " << block;
    }
}

// The lane-wise curve lookup against triodeTransfer at its limits, between them and for NaN.
TEST(PreampLanes, TransferMatchesScalarCurveAtEveryEdge)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<float> inputs = {nan, inf, -inf, 7.7f, -7.6f, std::nextafter(7.7f, 0.0f),
        std::nextafter(-7.6f, 0.0f), 0.0f, -0.0f, 1e30f, -1e30f};
    for (float v = -8.0f; v <= 8.0f; v += 0.0137f)
        inputs.push_back(v);
    for (const float v : inputs) {
        // A single stage with unit gain, no bias and transparent filters puts v on the curve.
        Preamp::Coefficients design;
        for (TriodeStage::Coefficients& s : design.stages) {
            s.configure(kFs, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f);
            s.inputFilter.pole = 0.0;
            s.inputFilter.lowGain = 1.0;
        }
        design.stages[0].couplingFilter.highGain = 1.0;
        Preamp::State state;
        PreampLanes lanes(design, state);
        lanes.fill<0>(0.0f);
        lanes.fill<1>(0.0f);
        lanes.push(v);  // stage 1's last input; the draining steps leave its lane alone
        lanes.drain<0>();
        lanes.drain<1>();
        lanes.store(state);
        const float expected = triodeTransfer(v);
        EXPECT_EQ(bits(state.stages[0].couplingFilter.x1), bits(expected)) << "v = " << v;
    }
}
