// A host that turns knobs from a second thread while its audio thread runs, as generic
// editors, automation threads and controller mappings do, and plays automation on the audio
// thread itself meanwhile. The sound must stay finite and within what the same settings give
// when they are applied between blocks on one thread, every block must run on a whole design,
// and once the writers stop, the last value written to each knob must be the one heard.
#include "../engine/AmpEngineTestAccess.h"
#include "TestHost.h"

#include "shell/ParameterTable.h"
#include "shell/ProgramBank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr float kRate = 48000.0f;
constexpr int32_t kBlock = 64;
constexpr int kControlBlocks = 4000;
constexpr int kRecoveryBlocks = 200;

// Stress time per case; GRIMBOLT_STRESS_MS lengthens it for a longer look.
std::chrono::milliseconds stressTime()
{
    const char* text = std::getenv("GRIMBOLT_STRESS_MS");
    return std::chrono::milliseconds(text ? std::atol(text) : 200);
}

struct Levels {
    double peak = 0.0;
    long nonFinite = 0;
    long blocks = 0;

    void add(const float* samples, int32_t count)
    {
        for (int32_t i = 0; i < count; ++i) {
            if (!std::isfinite(samples[i]))
                ++nonFinite;
            else
                peak = std::max(peak, static_cast<double>(std::fabs(samples[i])));
        }
        ++blocks;
    }
};

// A 0.5 sine at 220 Hz, block after block, through processReplacing.
class SineAudio {
public:
    explicit SineAudio(AEffect* effect)
        : effect_(effect)
    {
    }

    void block(Levels& levels)
    {
        float input[kBlock], left[kBlock], right[kBlock];
        for (float& x : input)
            x = 0.5f
                * static_cast<float>(std::sin(6.283185307179586 * 220.0 * static_cast<double>(n_++) / kRate));
        float* inputs[] = {input};
        float* outputs[] = {left, right};
        effect_->processReplacing(effect_, inputs, outputs, kBlock);
        levels.add(left, kBlock);
        levels.add(right, kBlock);
        levels.blocks -= 1;  // one block, two channels
    }

private:
    AEffect* effect_;
    long n_ = 0;
};

enum class Writes { OneParameter, AllParameters, Programs };

struct StressCase {
    std::string name;
    Writes writes;
    int32_t index;  // for OneParameter
};

std::vector<StressCase> stressCases()
{
    std::vector<StressCase> cases;
    for (int32_t i = 0; i < kNumParams; ++i)
        cases.push_back({kParameterTable[i].name, Writes::OneParameter, i});
    cases.push_back({"all parameters", Writes::AllParameters, 0});
    cases.push_back({"program changes", Writes::Programs, 0});
    return cases;
}

// The seeded sequence of writes a case makes; the same seed gives the same sequence.
class WriteSequence {
public:
    WriteSequence(const StressCase& c, uint32_t seed)
        : case_(c)
        , random_(seed)
    {
    }

    void next(AEffect* effect)
    {
        std::uniform_real_distribution<float> value(0.0f, 1.0f);
        std::uniform_int_distribution<int32_t> index(0, kNumParams - 1);
        switch (case_.writes) {
        case Writes::OneParameter:
            effect->setParameter(effect, case_.index, value(random_));
            break;
        case Writes::AllParameters:
            effect->setParameter(effect, index(random_), value(random_));
            break;
        case Writes::Programs:
            // Mostly program changes; the occasional edit makes the programs differ.
            if (++count_ % 4 == 0) {
                effect->setParameter(effect, index(random_), value(random_));
            } else {
                std::uniform_int_distribution<int32_t> program(0, kNumPrograms - 1);
                effect->dispatcher(effect, effSetProgram, 0, program(random_), nullptr, 0.0f);
            }
            break;
        }
    }

private:
    StressCase case_;
    std::mt19937 random_;
    long count_ = 0;
};

AEffect* loadAt48k(TestHost& host)
{
    AEffect* effect = host.load();
    host.dispatch(effSetSampleRate, 0, 0, nullptr, kRate);
    host.dispatch(effSetBlockSize, 0, kBlock);
    host.dispatch(effMainsChanged, 0, 1);
    return effect;
}

// The same writes applied between blocks on the audio thread, about as many per block as the
// other thread managed (up to 32, which already changes every knob), so that the reference
// peak comes from as many different settings: the reference peak.
Levels writesBetweenBlocks(const StressCase& c, uint32_t seed, long writesPerBlock)
{
    TestHost host;
    AEffect* effect = loadAt48k(host);
    SineAudio audio(effect);
    WriteSequence writes(c, seed);
    Levels levels;
    for (int i = 0; i < kControlBlocks; ++i) {
        for (long w = 0; w < writesPerBlock; ++w)
            writes.next(effect);
        audio.block(levels);
    }
    return levels;
}

struct StressResult {
    Levels during;
    Levels after;    // the first blocks once the knobs are back at their centres
    Levels settled;  // the blocks after those
    long writes = 0;
};

StressResult writesFromAnotherThread(const StressCase& c, uint32_t seed)
{
    TestHost host;
    AEffect* effect = loadAt48k(host);
    SineAudio audio(effect);
    StressResult result;
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        WriteSequence writes(c, seed);
        while (!stop.load(std::memory_order_relaxed)) {
            writes.next(effect);
            ++result.writes;
        }
    });
    const auto end = std::chrono::steady_clock::now() + stressTime();
    while (std::chrono::steady_clock::now() < end)
        audio.block(result.during);
    stop = true;
    writer.join();

    // Every knob back to its centre, as a user would after the storm.
    for (int32_t i = 0; i < kNumParams; ++i)
        effect->setParameter(effect, i, 0.5f);
    for (int i = 0; i < kRecoveryBlocks; ++i)
        audio.block(result.after);
    for (int i = 0; i < kRecoveryBlocks; ++i)
        audio.block(result.settled);
    return result;
}

// Every knob at its centre on a fresh instance: the level the recovered instance should reach.
Levels centredFromRest()
{
    TestHost host;
    AEffect* effect = loadAt48k(host);
    for (int32_t i = 0; i < kNumParams; ++i)
        effect->setParameter(effect, i, 0.5f);
    SineAudio audio(effect);
    Levels levels;
    for (int i = 0; i < kRecoveryBlocks; ++i)
        audio.block(levels);
    return levels;
}

}  // namespace

TEST(ConcurrentParameters, WritesFromAnotherThreadKeepTheSoundFiniteAndBounded)
{
    const Levels centred = centredFromRest();
    uint32_t seed = 20261208;
    for (const StressCase& c : stressCases()) {
        ++seed;
        const StressResult stress = writesFromAnotherThread(c, seed);
        const Levels reference = writesBetweenBlocks(
            c, seed, std::clamp(stress.writes / std::max(1L, stress.during.blocks), 1L, 32L));
        std::printf("  %-16s %6ld writes over %5ld blocks: peak %.3g (between blocks %.3g), %ld non-finite; "
                    "after: peak %.3g, %ld non-finite\n",
            c.name.c_str(), stress.writes, stress.during.blocks, stress.during.peak, reference.peak,
            stress.during.nonFinite, stress.settled.peak, stress.after.nonFinite + stress.settled.nonFinite);
        ASSERT_EQ(reference.nonFinite, 0) << c.name << ": the control itself must stay finite";
        EXPECT_GT(stress.writes, 0) << c.name;
        EXPECT_EQ(stress.during.nonFinite, 0) << c.name;
        EXPECT_LE(stress.during.peak, 2.0 * reference.peak) << c.name;
        EXPECT_EQ(stress.after.nonFinite + stress.settled.nonFinite, 0)
            << c.name << ": the instance recovers";
        EXPECT_GT(stress.settled.peak, 0.5 * centred.peak) << c.name << ": and sounds as it should";
        EXPECT_LE(stress.settled.peak, 2.0 * centred.peak) << c.name;
    }
}

TEST(ConcurrentParameters, RateChangesWhileAudioRunsStayFiniteAndTheAmpSoundsAfter)
{
    // Hosts should stop audio first; a rate change that comes anyway may silence a block or
    // two, but must not tear the chain.
    TestHost host;
    AEffect* effect = loadAt48k(host);
    SineAudio audio(effect);
    std::atomic<bool> stop{false};
    long changes = 0;
    std::thread dispatcher([&] {
        const float rates[] = {44100.0f, 96000.0f, 48000.0f, 88200.0f};
        while (!stop.load(std::memory_order_relaxed))
            host.dispatch(effSetSampleRate, 0, 0, nullptr, rates[changes++ % 4]);
    });
    Levels during;
    const auto end = std::chrono::steady_clock::now() + stressTime();
    while (std::chrono::steady_clock::now() < end)
        audio.block(during);
    stop = true;
    dispatcher.join();
    Levels after;
    for (int i = 0; i < kRecoveryBlocks; ++i)
        audio.block(after);
    EXPECT_GT(changes, 0);
    EXPECT_EQ(during.nonFinite, 0);
    EXPECT_LT(during.peak, 2.0);
    EXPECT_EQ(after.nonFinite, 0);
    EXPECT_GT(after.peak, 0.05);
    EXPECT_LT(after.peak, 2.0);
}

TEST(ConcurrentParameters, AutomationOnTheAudioThreadRunsOnWholeDesignsAndTheLastWritesAreHeard)
{
    constexpr int32_t kAutomated = 1;  // drive, written before every block
    TestHost host;
    AEffect* effect = loadAt48k(host);
    const AmpEngine& engine = host.plugin().engine();
    SineAudio audio(effect);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    float lastWrites[kNumParams] = {};

    std::atomic<bool> stop{false};
    long writes = 0;
    std::thread writer([&] {
        std::mt19937 random(20261208);
        std::uniform_int_distribution<int32_t> index(0, kNumParams - 1), program(0, kNumPrograms - 1);
        while (!stop.load(std::memory_order_relaxed)) {
            if (++writes % 8 == 0)
                effect->dispatcher(effect, effSetProgram, 0, program(random), nullptr, 0.0f);
            else
                effect->setParameter(effect, index(random), value(random));
        }
        // A last pass over every knob, so that the last write to each is known.
        for (int32_t i = 0; i < kNumParams; ++i) {
            lastWrites[i] = value(random);
            effect->setParameter(effect, i, lastWrites[i]);
        }
    });
    std::mt19937 automation(7);
    Levels during;
    long tornBlocks = 0;
    const auto end = std::chrono::steady_clock::now() + stressTime();
    while (std::chrono::steady_clock::now() < end) {
        effect->setParameter(effect, kAutomated, value(automation));
        audio.block(during);
        if (!AmpEngineTestAccess::designInUseIsWhole(engine))
            ++tornBlocks;
    }
    stop = true;
    writer.join();
    lastWrites[kAutomated] = value(automation);
    effect->setParameter(effect, kAutomated, lastWrites[kAutomated]);
    audio.block(during);

    TestHost freshHost;
    AEffect* fresh = loadAt48k(freshHost);
    for (int32_t i = 0; i < kNumParams; ++i)
        fresh->setParameter(fresh, i, lastWrites[i]);
    Levels freshLevels;
    SineAudio(fresh).block(freshLevels);

    std::printf("  %ld writes and %ld automated blocks\n", writes, during.blocks);
    EXPECT_GT(writes, 0);
    EXPECT_EQ(during.nonFinite, 0);
    EXPECT_EQ(tornBlocks, 0);
    for (int32_t i = 0; i < kNumParams; ++i)
        EXPECT_EQ(effect->getParameter(effect, i), fresh->getParameter(fresh, i)) << kParameterTable[i].name;
    EXPECT_TRUE(AmpEngineTestAccess::sameDesign(AmpEngineTestAccess::designInUse(engine),
        AmpEngineTestAccess::designInUse(freshHost.plugin().engine())));
}
