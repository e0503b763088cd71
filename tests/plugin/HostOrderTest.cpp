#include "TestHost.h"

#include "plugin/Parameters.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

namespace {
// Runs one processReplacing block; true when both outputs were overwritten with finite samples.
bool processBlock(TestHost& host)
{
    constexpr int32_t kFrames = 64;
    std::vector<float> input(kFrames, 0.1f), left(kFrames, NAN), right(kFrames, NAN);
    float* inputs[] = {input.data()};
    float* outputs[] = {left.data(), right.data()};
    host.effect()->processReplacing(host.effect(), inputs, outputs, kFrames);
    for (int32_t i = 0; i < kFrames; ++i)
        if (!std::isfinite(left[i]) || !std::isfinite(right[i]))
            return false;
    return true;
}
}  // namespace

TEST(HostOrder, StartUpSequencesHostsUseLeaveTheEffectWorking)
{
    struct Step {
        int32_t opcode;
        intptr_t value;
        float opt;
    };
    const std::pair<const char*, std::vector<Step>> sequences[] = {
        {"scan before open",
            {{effGetPlugCategory, 0, 0}, {effSetSampleRate, 0, 48000}, {effSetBlockSize, 512, 0},
                {effOpen, 0, 0}}},
        {"zero rate and block while scanning",
            {{effSetSampleRate, 0, 0}, {effSetBlockSize, 0, 0}, {effMainsChanged, 1, 0}}},
        {"suspend never resumed", {{effOpen, 0, 0}, {effMainsChanged, 0, 0}}},
        {"resume twice", {{effOpen, 0, 0}, {effMainsChanged, 1, 0}, {effMainsChanged, 1, 0}}},
        {"audio without open", {}},
    };
    for (const auto& [what, steps] : sequences) {
        TestHost host;
        ASSERT_NE(host.load(), nullptr) << what;
        host.setParameter(kDrive, 0.65f);
        for (const Step& step : steps)
            host.dispatch(step.opcode, 0, step.value, nullptr, step.opt);
        EXPECT_TRUE(processBlock(host)) << what;
        EXPECT_EQ(host.getParameter(kDrive), 0.65f) << what << ": no state cleared";
    }
}

TEST(HostOrder, ProgramListReadInsideBeginEndSetProgramChangesNothing)
{
    TestHost host;
    host.load();
    host.dispatch(effSetProgram, 0, 1);
    EXPECT_EQ(host.dispatch(effBeginSetProgram), 0);
    std::vector<std::string> names;
    for (int32_t i = 0; i < 63; ++i)
        names.push_back(host.text(effGetProgramNameIndexed, i));
    EXPECT_EQ(host.dispatch(effEndSetProgram), 0);
    EXPECT_EQ(names[2], "crunch");
    EXPECT_EQ(names[62], "User");
    EXPECT_EQ(host.dispatch(effGetProgram), 1);
    EXPECT_EQ(host.getParameter(kMaster), 0.4f);
}

TEST(HostOrder, SongRestoredWithSetParameterAloneLandsInProgramZero)
{
    const float song[kNumParams] = {0.6f, 0.7f, 0.2f, 0.8f, 0.3f, 0.4f, 0.9f, 0.5f, 1.0f, 0.5f};
    TestHost host;
    host.load();
    for (int32_t i = 0; i < kNumParams; ++i)
        host.setParameter(i, song[i]);
    host.dispatch(effSetProgram, 0, 0);  // reselecting keeps the song
    for (int32_t i = 0; i < kChannel; ++i)
        EXPECT_EQ(host.getParameter(i), song[i]) << "parameter " << i;
    EXPECT_EQ(host.getParameter(kChannel), 0.5f);
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
    for (int blocks = 0; !done || blocks < 10; ++blocks)
        finite = processBlock(host) && finite;
    gui.join();
    EXPECT_TRUE(finite);
    EXPECT_EQ(host.dispatch(effGetProgram), 199 % 4);
}

TEST(HostOrder, InstanceAbandonedWithoutCloseDoesNotDisturbOthers)
{
    auto abandoned = std::make_unique<TestHost>();  // its host sends no effClose while the other lives
    ASSERT_NE(abandoned->load(), nullptr);
    abandoned->setParameter(kMaster, 0.9f);
    {
        TestHost host;
        ASSERT_NE(host.load(), nullptr);
        EXPECT_EQ(host.getParameter(kMaster), 0.25f);
        EXPECT_TRUE(processBlock(host));
    }
    // Closed only now, so that the leak checker keeps its meaning for everything else.
}
