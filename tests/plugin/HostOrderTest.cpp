#include "TestHost.h"

#include "engine/AmpEngine.h"
#include "plugin/Parameters.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

namespace {
constexpr int32_t kFrames = 64;

// Runs one processReplacing block; true when every output sample is finite.
bool processBlock(TestHost& host)
{
    std::vector<float> input(kFrames, 0.1f), left(kFrames, 7.0f), right(kFrames, 7.0f);
    float* inputs[] = {input.data()};
    float* outputs[] = {left.data(), right.data()};
    host.effect()->processReplacing(host.effect(), inputs, outputs, kFrames);
    for (int32_t i = 0; i < kFrames; ++i)
        if (!std::isfinite(left[i]) || !std::isfinite(right[i]))
            return false;
    return true;
}

struct Step {
    int32_t opcode;
    intptr_t value;
    float opt;
};
}

TEST(HostOrder, SequencesHostsUseLeaveTheEffectWorking)
{
    struct Sequence {
        const char* what;
        std::vector<Step> steps;
    };
    const Sequence sequences[] = {
        {"scan before open", {{effGetPlugCategory, 0, 0}, {effSetSampleRate, 0, 48000.0f}, {effSetBlockSize, 512, 0}, {effOpen, 0, 0}}},
        {"scan with zero rate and block", {{effSetSampleRate, 0, 0.0f}, {effSetBlockSize, 0, 0}, {effOpen, 0, 0}, {effMainsChanged, 1, 0}}},
        {"suspend never resumed", {{effOpen, 0, 0}, {effMainsChanged, 0, 0}}},
        {"resume twice", {{effOpen, 0, 0}, {effMainsChanged, 1, 0}, {effMainsChanged, 1, 0}}},
        {"audio without open", {}},
        {"full start", {{effOpen, 0, 0}, {effSetSampleRate, 0, 96000.0f}, {effSetBlockSize, 64, 0},
                        {effMainsChanged, 0, 0}, {effMainsChanged, 1, 0}, {effStartProcess, 0, 0}}},
    };
    for (const Sequence& sequence : sequences) {
        TestHost host;
        ASSERT_NE(host.load(), nullptr) << sequence.what;
        host.setParameter(kDrive, 0.65f);
        for (const Step& step : sequence.steps)
            host.dispatch(step.opcode, 0, step.value, nullptr, step.opt);
        EXPECT_TRUE(processBlock(host)) << sequence.what;
        EXPECT_EQ(host.getParameter(kDrive), 0.65f) << sequence.what << ": no state cleared";
        EXPECT_EQ(host.dispatch(effGetProgram), 0) << sequence.what;
        host.dispatch(effMainsChanged, 0);
    }
}

TEST(HostOrder, ProgramListReadInsideBeginEndSetProgram)
{
    TestHost host;
    host.load();
    host.dispatch(effSetProgram, 0, 1);
    EXPECT_EQ(host.dispatch(effBeginSetProgram), 0);
    std::vector<std::string> names;
    for (int32_t i = 0; i < 63; ++i)
        names.push_back(host.text(effGetProgramNameIndexed, i));
    EXPECT_EQ(host.dispatch(effEndSetProgram), 0);
    EXPECT_EQ(names[0], "default");
    EXPECT_EQ(names[2], "crunch");
    EXPECT_EQ(names[62], "User");
    EXPECT_EQ(host.dispatch(effGetProgram), 1) << "listing does not switch programs";
    EXPECT_EQ(host.getParameter(kMaster), 0.4f);
}

TEST(HostOrder, SongRestoredWithSetParameterAloneStaysInProgramZero)
{
    const float song[kNumParams] = {0.6f, 0.7f, 0.2f, 0.8f, 0.3f, 0.4f, 0.9f, 0.75f, 1.0f, 0.5f};
    TestHost host;
    host.load();
    for (int32_t i = 0; i < kNumParams; ++i)
        host.setParameter(i, song[i]);
    for (int32_t i = 0; i < kInputGain; ++i)
        EXPECT_EQ(host.getParameter(i), song[i]) << "parameter " << i;
    EXPECT_NEAR(host.getParameter(kInputGain), 0.75f, 1e-6f);
    EXPECT_EQ(host.getParameter(kBypassCabinet), 1.0f);
    EXPECT_EQ(host.getParameter(kChannel), 1.0f);
    // The values landed in program 0, so reselecting it keeps the song.
    host.dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(host.getParameter(kDrive), 0.7f);
    EXPECT_EQ(host.getParameter(kChannel), 1.0f);
}

TEST(HostOrder, ParametersFromAnotherThreadWhileAudioRuns)
{
    TestHost host;
    host.load();
    host.dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    std::atomic<bool> done{false};
    std::thread gui([&] {
        for (int round = 0; round < 200; ++round) {
            for (int32_t i = 0; i < kNumParams; ++i)
                host.setParameter(i, static_cast<float>((round + i) % 11) / 10.0f);
            host.dispatch(effSetProgram, 0, round % 4);
        }
        done = true;
    });
    bool finite = true;
    int blocks = 0;
    while (!done || blocks < 10) {
        finite = processBlock(host) && finite;
        ++blocks;
    }
    gui.join();
    EXPECT_TRUE(finite);
    EXPECT_EQ(host.dispatch(effGetProgram), 199 % 4);
}

TEST(HostOrder, InstancesAbandonedWithoutCloseDoNotDisturbOthers)
{
    // Deliberately leaked: a host that never sends effClose must not take others down.
    auto* abandoned = new TestHost;
    ASSERT_NE(abandoned->load(), nullptr);
    abandoned->setParameter(kMaster, 0.9f);

    TestHost host;
    ASSERT_NE(host.load(), nullptr);
    EXPECT_EQ(host.getParameter(kMaster), 0.25f);
    EXPECT_TRUE(processBlock(host));
    EXPECT_EQ(abandoned->getParameter(kMaster), 0.9f);
}
