// The engine runs its chain as a software pipeline (ChainPipeline); AmpChain runs the same
// blocks plainly, one host sample at a time. Both must give the same bits for every sample,
// whatever the block length (down to the blocks too short for the pipeline's steady state),
// rate, channel and cabinet setting, and with the knobs turned between blocks.
#include "engine/AmpChain.h"
#include "engine/AmpEngine.h"
#include "engine/DenormalsFlushed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr double kDenormalOffset = 1e-20;  // what the engine adds to each block's first sample

uint32_t bits(float x)
{
    uint32_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

// Plucked notes with a loud stretch and a silent one, so that the stages saturate and settle.
float guitar(int64_t n)
{
    const float t = static_cast<float>(n);
    const float envelope = std::exp(-static_cast<float>(n % 6000) / 1500.0f);
    float x = envelope * (0.5f * std::sin(0.037f * t) + 0.2f * std::sin(0.191f * t));
    if ((n / 9000) % 4 == 2)
        x *= 8.0f;
    if ((n / 9000) % 4 == 3)
        x = 0.0f;
    return x;
}

// What setSampleRate does to a fresh engine's chain: kernels and cabinet for the rate, the
// design, then the pre-roll over silence with the positive denormal offset on its first sample.
void settleLikeAFreshEngine(AmpChain& chain, const AmpEngine& engine, float rate)
{
    chain.setRate(rate);
    const AmpSettings design = engine.design();
    const int32_t preRoll = AmpEngine::preRollLength(rate);
    chain.process(design, static_cast<float>(0.0 + kDenormalOffset));
    for (int32_t i = 1; i < preRoll; ++i)
        chain.process(design, 0.0f);
}

// A different knob between every two blocks, as a host's automation would turn them.
void turnAKnob(AmpEngine& engine, int block)
{
    const float value = static_cast<float>((block * 37) % 100) / 100.0f;
    switch (block % 9) {
    case 0:
        engine.setDrive(value);
        break;
    case 1:
        engine.setBass(value);
        break;
    case 2:
        engine.setMid(value);
        break;
    case 3:
        engine.setTreble(value);
        break;
    case 4:
        engine.setPresence(value);
        break;
    case 5:
        engine.setVoicing(value);
        break;
    case 6:
        engine.setInputGain(value);
        break;
    case 7:
        engine.setMaster(0.1f + value);
        break;
    default:
        engine.setChannel(block % 3);
        break;
    }
}

}  // namespace

TEST(ChainPipeline, MatchesThePlainChainBitForBitInEveryConfiguration)
{
    const DenormalsFlushed flushed;  // as the engine runs its blocks
    const float rates[] = {44100.0f, 48000.0f, 88200.0f, 96000.0f, 32000.0f};
    const int32_t blockLengths[] = {1, 2, 3, 4, 5, 6, 7, 8, 147, 4096, 1, 3, 2};
    for (const float rate : rates) {
        for (int32_t channel = 0; channel < 3; ++channel) {
            for (const bool cabinet : {true, false}) {
                const std::string where = "rate " + std::to_string(rate) + ", channel "
                    + std::to_string(channel) + (cabinet ? ", cabinet" : ", no cabinet");
                AmpEngine engine;
                engine.setChannel(channel);
                engine.setCabinetBypass(cabinet ? 0.0f : 1.0f);
                engine.setSampleRate(rate);
                AmpChain reference;
                settleLikeAFreshEngine(reference, engine, rate);

                int64_t n = 0;
                int block = 0;
                for (int round = 0; round < 2; ++round) {
                    for (const int32_t length : blockLengths) {
                        turnAKnob(engine, block);
                        const AmpSettings design = engine.design();
                        std::vector<float> input(static_cast<size_t>(length)), left(input.size()),
                            right(input.size());
                        for (float& x : input)
                            x = guitar(n++);
                        const double offset = engine.denormalSign() * kDenormalOffset;
                        engine.processReplacing(input.data(), left.data(), right.data(), length);
                        for (int32_t i = 0; i < length; ++i) {
                            const float x = i == 0 ? static_cast<float>(input[0] + offset)
                                                   : input[static_cast<size_t>(i)];
                            const float expected = reference.process(design, x);
                            ASSERT_EQ(bits(left[static_cast<size_t>(i)]), bits(expected))
                                << where << ", block " << block << " of " << length << ", sample " << i
                                << ": " << left[static_cast<size_t>(i)] << " vs " << expected;
                        }
                        ++block;
                    }
                }
            }
        }
    }
}
