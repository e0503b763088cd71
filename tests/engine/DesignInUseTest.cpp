// The audio thread makes anew only the parts of its design whose values changed. Whatever
// sequence of changes comes, the block after them must run on the whole design of the values
// as set, and the chain must stay clear of denormal numbers, which cost many times a normal
// operation, whatever floating-point mode the host's thread runs in.
#include "AmpEngineTestAccess.h"

#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int32_t kBlock = 64;

void runBlock(AmpEngine& engine, const float* input)
{
    float left[kBlock], right[kBlock];
    engine.processReplacing(input, left, right, kBlock);
}

// Counts the subnormal numbers in records made of floats only.
template <class Record> int subnormals(const Record& record)
{
    static_assert(sizeof(Record) % sizeof(float) == 0, "a record of floats");
    float values[sizeof(Record) / sizeof(float)];
    std::memcpy(values, &record, sizeof record);
    int count = 0;
    for (float x : values)
        count += std::fpclassify(x) == FP_SUBNORMAL ? 1 : 0;
    return count;
}

int subnormalsInStates(const AmpChain& chain)
{
    int count = subnormals(chain.channelFilter) + subnormals(chain.preamp) + subnormals(chain.toneStack)
        + subnormals(chain.powerAmp);
    const CabinetSimulator& c = chain.cabinet;
    for (const StateVariableFilter* f : {&c.mainBand, &c.lowBand, &c.subBand, &c.highBand, &c.highCut}) {
        const float states[] = {f->low, f->high, f->band, f->bandState, f->lowState, f->previousInput};
        count += subnormals(states);
    }
    for (const FractionalDelayLine* d : {&c.mainComb, &c.subComb, &c.highComb, &c.reflection1, &c.reflection2,
             &c.reflection3, &c.reflection4})
        count += subnormals(d->buffer);
    return count;
}

}  // namespace

TEST(DesignInUse, AfterEveryChangeTheNextBlockRunsOnTheWholeDesignOfTheValuesAsSet)
{
    using Change = std::function<void(AmpEngine&)>;
    const std::pair<const char*, Change> changes[] = {
        {"drive", [](AmpEngine& e) { e.setDrive(0.9f); }},
        {"channel", [](AmpEngine& e) { e.setChannel(2); }},
        {"bass", [](AmpEngine& e) { e.setBass(0.1f); }},
        {"voicing, then channel", [](AmpEngine& e) { e.setVoicing(0.7f), e.setChannel(1); }},
        {"treble moves the mid", [](AmpEngine& e) { e.setTreble(1.0f); }},
        {"presence and master", [](AmpEngine& e) { e.setPresence(0.3f), e.setMaster(0.6f); }},
        {"input gain", [](AmpEngine& e) { e.setInputGain(0.8f); }},
        {"cabinet off", [](AmpEngine& e) { e.setCabinetBypass(1.0f); }},
        {"minus zero", [](AmpEngine& e) { e.setPresence(-0.0f), e.setMid(-0.0f); }},
        {"rate", [](AmpEngine& e) { e.setSampleRate(96000.0f); }},
        {"everything at once",
            [](AmpEngine& e) {
                e.setChannel(0), e.setDrive(0.2f), e.setBass(0.6f), e.setMid(0.4f), e.setTreble(0.3f),
                    e.setVoicing(0.1f), e.setPresence(0.9f), e.setInputGain(0.3f), e.setCabinetBypass(0.0f);
            }},
        {"back and forth", [](AmpEngine& e) { e.setDrive(0.5f), e.setDrive(0.2f); }},
    };
    AmpEngine engine;
    engine.setSampleRate(48000.0f);
    const float input[kBlock] = {0.3f};
    for (const auto& [what, change] : changes) {
        change(engine);
        runBlock(engine, input);
        EXPECT_TRUE(AmpEngineTestAccess::designInUseIsWhole(engine)) << what;
        EXPECT_TRUE(
            AmpEngineTestAccess::sameDesign(AmpEngineTestAccess::designInUse(engine), engine.design()))
            << what;
    }
}

TEST(Denormals, ALongSilenceAfterALoudNoteLeavesNoneInTheStates)
{
    // As a host that leaves both modes off runs its audio thread.
    const unsigned hostMode = _mm_getcsr();
    _mm_setcsr(hostMode & ~0x8040u);
    for (int32_t channel = 0; channel < kNumChannels; ++channel) {
        AmpEngine engine;
        engine.setChannel(channel);
        engine.setDrive(0.8f);
        engine.setSampleRate(48000.0f);
        float note[kBlock];
        long n = 0;
        for (int block = 0; block < 48000 / kBlock; ++block) {
            for (float& x : note) {
                x = 0.9f * std::exp(-static_cast<float>(n) / 8000.0f)
                    * std::sin(0.0144f * static_cast<float>(n));
                ++n;
            }
            runBlock(engine, note);
        }
        const float silence[kBlock] = {};
        for (int block = 0; block < 20 * 48000 / kBlock; ++block)
            runBlock(engine, silence);
        EXPECT_EQ(subnormalsInStates(AmpEngineTestAccess::chain(engine)), 0) << "channel " << channel;
    }
    _mm_setcsr(hostMode);
}
