#include "dsp/CabinetLanes.h"

#include "BitIdentity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

void expectSameLine(const FractionalDelayLine& a, const FractionalDelayLine& e, const std::string& where)
{
    EXPECT_EQ(a.writeIndex, e.writeIndex) << where;
    EXPECT_EQ(std::memcmp(a.buffer, e.buffer, sizeof a.buffer), 0) << where << ": rings differ";
}

void expectSameStates(const CabinetSimulator& a, const CabinetSimulator& e, const std::string& where)
{
    expectSameFilter(a.mainBand, e.mainBand, where + ", main band");
    expectSameFilter(a.lowBand, e.lowBand, where + ", low band");
    expectSameFilter(a.subBand, e.subBand, where + ", sub band");
    expectSameFilter(a.highBand, e.highBand, where + ", high band");
    expectSameFilter(a.highCut, e.highCut, where + ", high cut");
    expectSameLine(a.mainComb, e.mainComb, where + ", main comb");
    expectSameLine(a.subComb, e.subComb, where + ", sub comb");
    expectSameLine(a.highComb, e.highComb, where + ", high comb");
    expectSameLine(a.reflection1, e.reflection1, where + ", reflection 1");
    expectSameLine(a.reflection2, e.reflection2, where + ", reflection 2");
    expectSameLine(a.reflection3, e.reflection3, where + ", reflection 3");
    expectSameLine(a.reflection4, e.reflection4, where + ", reflection 4");
}

// A decaying two-tone pluck with loud stretches, noise bursts and silence.
float testSignal(int n)
{
    const float envelope = std::exp(-static_cast<float>(n % 9000) / 3000.0f);
    float x = envelope
        * (0.6f * std::sin(0.043f * static_cast<float>(n)) + 0.3f * std::sin(0.29f * static_cast<float>(n)));
    if ((n / 7000) % 4 == 1)
        x *= 25.0f;
    if ((n / 5000) % 6 == 5)
        x = 0.0f;
    if ((n / 3000) % 7 == 3)
        x += static_cast<float>((n * 7919) % 2001 - 1000) * 0.002f;
    return x;
}

using AnyPasses = CabinetLanes<StateVariableFilterLanes::kAnyPasses, StateVariableFilterLanes::kAnyPasses>;
using TwoPassHighs = CabinetLanes<1, 2>;
using OnePass = CabinetLanes<1, 1>;

// One block of `length` samples from sample n on through Form and through the reference. The
// pipeline returns each output one step late: sample n's comes with n + 1's input, the block's
// last from drain().
template <class Form>
void runBlock(
    CabinetSimulator& lanes, CabinetSimulator& reference, int& n, int length, const std::string& where)
{
    Form cabinet(lanes);
    float expected = reference.process(testSignal(n));
    cabinet.template fill<0>(testSignal(n));
    for (int i = 1; i <= length; ++i, ++n) {
        const bool last = i == length;
        const float actual = last ? cabinet.template drain<0>() : cabinet.push(testSignal(n + 1));
        ASSERT_EQ(bits(actual), bits(expected))
            << where << ", sample " << n << ": " << actual << " vs " << expected;
        if (!last)
            expected = reference.process(testSignal(n + 1));
    }
    cabinet.store(lanes);
    expectSameStates(lanes, reference, where);
}

}  // namespace

// Which form suits the simulator at each rate, and whether it still does with a band silenced:
// the forms for one and two passes must claim only the simulators they compute exactly.
TEST(CabinetLanes, TheFormsForFixedPassesSuitOnlyTheirRates)
{
    struct Case {
        float fs;
        bool twoPassHighs, onePass;
    };
    const Case cases[]
        = {{44100, true, false}, {48000, true, false}, {88200, false, true}, {96000, false, true},
            {192000, false, true}, {32000, false, false}, {70000, false, false}, {22050, false, false}};
    for (const Case& c : cases) {
        auto cabinet = std::make_unique<CabinetSimulator>();
        cabinet->configure(c.fs);
        EXPECT_EQ(TwoPassHighs::suits(*cabinet), c.twoPassHighs) << c.fs;
        EXPECT_EQ(OnePass::suits(*cabinet), c.onePass) << c.fs;
        EXPECT_TRUE(AnyPasses::suits(*cabinet)) << c.fs;
        cabinet->lowBand.configure(c.fs, 269.0f, 0.5f, 0.0f, StateVariableFilter::kBandPass);
        EXPECT_FALSE(TwoPassHighs::suits(*cabinet) || OnePass::suits(*cabinet))
            << c.fs << ", low band silenced";
    }
}

// Blocks of varying length (some longer than the rings) at the supported rates and at rates
// where the filters take more and unequal loop passes, with the simulator reconfigured and a
// band silenced between blocks, each block in the form that suits it or in the form for any
// passes: every output and every filter state, ring and write index must equal the reference
// simulator's bit for bit.
TEST(CabinetLanes, MatchesCabinetSimulatorBitForBitAcrossBlocksRatesSettingsAndForms)
{
    const float rates[] = {44100.0f, 48000.0f, 88200.0f, 96000.0f, 70000.0f, 32000.0f, 22050.0f, 11025.0f};
    const int blockLengths[] = {1, 3, 512, 7, 1500, 64, 2};
    for (float fs : rates) {
        for (const bool anyPasses : {false, true}) {
            auto reference = std::make_unique<CabinetSimulator>();
            auto lanes = std::make_unique<CabinetSimulator>();
            reference->configure(fs);
            lanes->configure(fs);
            int n = 0;
            for (int block = 0; block < 60; ++block) {
                if (block == 20) {  // the low band silenced: no form for fixed passes suits
                    for (CabinetSimulator* c : {reference.get(), lanes.get()})
                        c->lowBand.configure(fs, 269.0f, 0.5f, 0.0f, StateVariableFilter::kBandPass);
                }
                if (block == 40) {
                    for (CabinetSimulator* c : {reference.get(), lanes.get()})
                        c->configure(fs);
                }
                const std::string where = "fs " + std::to_string(fs) + (anyPasses ? ", any passes" : "")
                    + ", block " + std::to_string(block);
                const int length = blockLengths[block % 7];
                if (!anyPasses && TwoPassHighs::suits(*lanes))
                    runBlock<TwoPassHighs>(*lanes, *reference, n, length, where);
                else if (!anyPasses && OnePass::suits(*lanes))
                    runBlock<OnePass>(*lanes, *reference, n, length, where);
                else
                    runBlock<AnyPasses>(*lanes, *reference, n, length, where);
                if (HasFatalFailure())
                    return;
            }
        }
    }
}
