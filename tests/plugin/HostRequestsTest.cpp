#include "TestHost.h"

#include "engine/AmpEngine.h"
#include "plugin/Parameters.h"
#include "plugin/PluginEntry.h"

#include <gtest/gtest.h>

#include <iterator>

TEST(HostRequests, HostAnsweringVersionZeroGetsNoEffect)
{
    TestHost host;
    host.answers[audioMasterVersion] = 0;
    EXPECT_EQ(host.load(), nullptr);
    ASSERT_EQ(host.calls.size(), 1u) << "nothing but the version query";
    EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
    EXPECT_FALSE(host.calls[0].fromEffect);
}

TEST(HostRequests, CreationAsksVersionThenSampleRate)
{
    const std::pair<intptr_t, float> cases[] = {{48000, 48000.0f}, {0, 44100.0f}, {-1, 44100.0f}};
    for (const auto& [answer, recorded] : cases) {
        TestHost host;
        host.answers[audioMasterGetSampleRate] = answer;
        ASSERT_NE(host.load(), nullptr);
        ASSERT_EQ(host.calls.size(), 2u) << "answer " << answer;
        EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
        EXPECT_EQ(host.calls[1].opcode, audioMasterGetSampleRate);
        EXPECT_TRUE(host.calls[1].fromEffect);
        EXPECT_EQ(host.plugin().getSampleRate(), recorded) << "answer " << answer;
        EXPECT_EQ(host.plugin().engine().sampleRate(), 44100.0f)
            << "the engine waits for effSetSampleRate, answer " << answer;
    }
}

TEST(HostRequests, AutomatedEditAppliesThenReportsToTheHost)
{
    TestHost host;
    host.load();
    host.calls.clear();
    host.plugin().setParameterAutomated(kTreble, 0.625f);
    EXPECT_EQ(host.getParameter(kTreble), 0.625f);
    ASSERT_EQ(host.calls.size(), 1u);
    const HostCall& call = host.calls[0];
    EXPECT_EQ(call.opcode, audioMasterAutomate);
    EXPECT_EQ(call.index, kTreble);
    EXPECT_EQ(call.value, 0);
    EXPECT_EQ(call.ptr, nullptr);
    EXPECT_EQ(call.opt, 0.625f);

    host.calls.clear();
    host.setParameter(kTreble, 0.25f);
    EXPECT_TRUE(host.calls.empty()) << "host changes are not echoed back";
}

TEST(HostRequests, EditorRequestsCarryIndexAndHostAnswer)
{
    TestHost host;
    host.load();
    GrimboltEffect& effect = host.plugin();
    host.calls.clear();

    EXPECT_FALSE(effect.beginEdit(kDrive));
    host.answers[audioMasterBeginEdit] = 1;
    host.answers[audioMasterEndEdit] = 1;
    EXPECT_TRUE(effect.beginEdit(kDrive));
    EXPECT_TRUE(effect.endEdit(kMid));
    effect.masterIdle();
    EXPECT_FALSE(effect.canHostDo("sizeWindow"));
    host.answers[audioMasterCanDo] = 1;
    host.answers[audioMasterSizeWindow] = 1;
    EXPECT_TRUE(effect.canHostDo("sizeWindow"));
    EXPECT_TRUE(effect.sizeWindow(380, 110));

    struct Expected {
        int32_t opcode;
        int32_t index;
        intptr_t value;
    };
    const Expected expected[] = {
        {audioMasterBeginEdit, kDrive, 0}, {audioMasterBeginEdit, kDrive, 0}, {audioMasterEndEdit, kMid, 0},
        {audioMasterIdle, 0, 0},           {audioMasterCanDo, 0, 0},          {audioMasterCanDo, 0, 0},
        {audioMasterSizeWindow, 380, 110},
    };
    ASSERT_EQ(host.calls.size(), std::size(expected));
    for (size_t i = 0; i < host.calls.size(); ++i) {
        EXPECT_EQ(host.calls[i].opcode, expected[i].opcode) << "request " << i;
        EXPECT_EQ(host.calls[i].index, expected[i].index) << "request " << i;
        EXPECT_EQ(host.calls[i].value, expected[i].value) << "request " << i;
        EXPECT_TRUE(host.calls[i].fromEffect) << "request " << i;
    }
    EXPECT_STREQ(static_cast<const char*>(host.calls[4].ptr), "sizeWindow");
}

TEST(HostRequests, WithoutCallbackNothingIsSentAndEditsStillApply)
{
    GrimboltEffect effect(nullptr);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    effect.setParameterAutomated(kMid, 0.2f);
    EXPECT_EQ(effect.getParameter(kMid), 0.2f);
    EXPECT_FALSE(effect.beginEdit(kMid));
    EXPECT_FALSE(effect.endEdit(kMid));
    EXPECT_FALSE(effect.canHostDo("sizeWindow"));
    EXPECT_FALSE(effect.sizeWindow(10, 10));
    effect.masterIdle();
}

TEST(HostRequests, EntryWithoutCallbackReturnsNull)
{
    EXPECT_EQ(createGrimboltEffect(nullptr), nullptr);
}
