// A chain state that turns infinite or NaN would stay so for good and silence (or blast) the
// host's mix. The engine must notice it at the end of the block, make that block silent and
// start again from rest, so that the next block sounds. (A NaN bias heals by itself: the
// transfer curve holds it at its top value.)
#include "AmpEngineTestAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace {

// Where a bug or a cosmic ray could put a bad value into the running states.
using Plant = std::function<void(AmpChain&, float)>;

std::vector<std::pair<std::string, Plant>> places()
{
    return {
        {"channel filter", [](AmpChain& c, float x) { c.channelFilter.z1 = x; }},
        {"stage 1 bias", [](AmpChain& c, float x) { c.preamp.stages[0].biasState = x; }},
        {"stage 3 coupling", [](AmpChain& c, float x) { c.preamp.stages[2].couplingFilter.x1 = x; }},
        {"feedback", [](AmpChain& c, float x) { c.preamp.feedbackValue = x; }},
        {"tone stack", [](AmpChain& c, float x) { c.toneStack.midSection.z2 = x; }},
        {"power amp sag", [](AmpChain& c, float x) { c.powerAmp.sagB = x; }},
        {"voicing", [](AmpChain& c, float x) { c.powerAmp.voicingFilter.z1 = x; }},
        {"cabinet band", [](AmpChain& c, float x) { c.cabinet.subBand.bandState = x; }},
        {"cabinet top cut", [](AmpChain& c, float x) { c.cabinet.highCut.previousInput = x; }},
    };
}

constexpr int32_t kBlock = 128;

struct Block {
    std::vector<float> left = std::vector<float>(kBlock), right = std::vector<float>(kBlock);

    bool finite() const
    {
        for (size_t i = 0; i < left.size(); ++i)
            if (!std::isfinite(left[i]) || !std::isfinite(right[i]))
                return false;
        return true;
    }
    bool silent() const
    {
        for (size_t i = 0; i < left.size(); ++i)
            if (left[i] != 0.0f || right[i] != 0.0f)
                return false;
        return true;
    }
};

class SineSource {
public:
    const float* next()
    {
        for (float& x : samples_)
            x = 0.5f * std::sin(0.05f * static_cast<float>(n_++));
        return samples_.data();
    }

private:
    std::vector<float> samples_ = std::vector<float>(kBlock);
    long n_ = 0;
};

Block replacing(AmpEngine& engine, SineSource& source)
{
    Block out;
    engine.processReplacing(source.next(), out.left.data(), out.right.data(), kBlock);
    return out;
}

Block accumulating(AmpEngine& engine, SineSource& source)
{
    Block out;
    engine.process(source.next(), out.left.data(), out.right.data(), kBlock);
    return out;
}

}  // namespace

TEST(ChainRecovery, APoisonedStateNeverReachesTheOutputAndTheNextBlocksSound)
{
    const float poisons[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()};
    for (const auto& [place, plant] : places()) {
        for (float poison : poisons) {
            for (auto procedure : {replacing, accumulating}) {
                const std::string what = place + (std::isnan(poison) ? ", NaN" : ", inf")
                    + (procedure == replacing ? ", replacing" : ", accumulating");
                AmpEngine engine;
                engine.setSampleRate(48000.0f);
                SineSource source;
                ASSERT_FALSE(procedure(engine, source).silent()) << what;
                plant(AmpEngineTestAccess::chain(engine), poison);
                EXPECT_TRUE(procedure(engine, source).finite()) << what;
                for (int i = 0; i < 4; ++i) {
                    const Block after = procedure(engine, source);
                    EXPECT_TRUE(after.finite()) << what << ", block " << i;
                    EXPECT_FALSE(after.silent()) << what << ", block " << i;
                }
            }
        }
    }
}

TEST(ChainRecovery, ADesignBeyondFloatRangeGivesSilenceUntilTheKnobComesBack)
{
    // 1000 is still a value the effect passes on; 15 dB per unit then overflows the shelf.
    AmpEngine engine;
    engine.setSampleRate(44100.0f);
    SineSource source;
    engine.setBass(1000.0f);
    for (int i = 0; i < 3; ++i) {
        const Block out = replacing(engine, source);
        EXPECT_TRUE(out.finite()) << "block " << i;
    }
    engine.setBass(0.5f);
    replacing(engine, source);  // clears what the last bad block left
    const Block back = replacing(engine, source);
    EXPECT_TRUE(back.finite());
    EXPECT_FALSE(back.silent());
}

TEST(ChainRecovery, ADivergingDesignNeverOverflowsTheOutput)
{
    // Voicing -1 puts the all-pass's poles outside the unit circle: the states grow towards
    // the float limit while still finite, and a master of 1000 overflows the output first.
    // (Found by fuzzing the host calls.)
    constexpr int32_t kFrames = 25;
    for (bool accumulate : {false, true}) {
        AmpEngine engine;
        engine.setSampleRate(44100.0f);
        engine.setVoicing(-1.0f);
        engine.setMaster(1000.0f);
        engine.setInputGain(0.0f);
        float input[kFrames], left[kFrames], right[kFrames];
        long n = 0;
        for (int block = 0; block < 200; ++block) {
            for (float& x : input)
                x = 1.7f * std::sin(0.05f * static_cast<float>(n++));
            std::fill(std::begin(left), std::end(left), 0.0f);
            std::fill(std::begin(right), std::end(right), 0.0f);
            if (accumulate)
                engine.process(input, left, right, kFrames);
            else
                engine.processReplacing(input, left, right, kFrames);
            for (int32_t i = 0; i < kFrames; ++i)
                ASSERT_TRUE(std::isfinite(left[i]) && std::isfinite(right[i]))
                    << (accumulate ? "accumulating" : "replacing") << ", block " << block << ", sample " << i;
        }
    }
}
