#include "TestHost.h"

#include "engine/AmpEngine.h"
#include "plugin/Parameters.h"
#include "shell/PluginEntry.h"

#include <gtest/gtest.h>

#include <iterator>

TEST(HostRequests, HostWithoutVersionOrCallbackGetsNoEffect)
{
    TestHost host;
    host.answers[audioMasterVersion] = 0;
    EXPECT_EQ(host.load(), nullptr);
    ASSERT_EQ(host.calls.size(), 1u) << "nothing but the version query";
    EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
    EXPECT_FALSE(host.calls[0].fromEffect);
    EXPECT_EQ(createGrimboltEffect(nullptr), nullptr);
}

TEST(HostRequests, CreationRecordsAPositiveHostRateWithoutTellingTheEngine)
{
    const std::pair<intptr_t, float> cases[] = {{48000, 48000.0f}, {0, 44100.0f}, {-1, 44100.0f}};
    for (const auto& [answer, recorded] : cases) {
        TestHost host;
        host.answers[audioMasterGetSampleRate] = answer;
        ASSERT_NE(host.load(), nullptr);
        ASSERT_EQ(host.calls.size(), 2u) << "answer " << answer;
        EXPECT_EQ(host.calls[1].opcode, audioMasterGetSampleRate);
        EXPECT_TRUE(host.calls[1].fromEffect);
        EXPECT_EQ(host.plugin().getSampleRate(), recorded) << "answer " << answer;
        EXPECT_EQ(host.plugin().engine().sampleRate(), 44100.0f) << "answer " << answer;
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
    EXPECT_EQ(host.calls[0].opcode, audioMasterAutomate);
    EXPECT_EQ(host.calls[0].index, kTreble);
    EXPECT_EQ(host.calls[0].value, 0);
    EXPECT_EQ(host.calls[0].ptr, nullptr);
    EXPECT_EQ(host.calls[0].opt, 0.625f);

    host.setParameter(kTreble, 0.25f);
    EXPECT_EQ(host.calls.size(), 1u) << "host changes are not echoed back";
}

TEST(HostRequests, EditorRequestsCarryTheirArgumentsAndTheHostsAnswer)
{
    TestHost host;
    host.load();
    GrimboltEffect& effect = host.plugin();
    host.calls.clear();
    EXPECT_FALSE(effect.beginEdit(kDrive));
    EXPECT_FALSE(effect.canHostDo("sizeWindow"));
    for (int32_t opcode : {audioMasterBeginEdit, audioMasterEndEdit, audioMasterCanDo, audioMasterSizeWindow})
        host.answers[opcode] = 1;
    EXPECT_TRUE(effect.endEdit(kMid));
    effect.masterIdle();
    EXPECT_TRUE(effect.canHostDo("sizeWindow"));
    EXPECT_TRUE(effect.sizeWindow(380, 110));

    const HostCall expected[] = {
        {audioMasterBeginEdit, kDrive, 0, nullptr, 0.0f, true},
        {audioMasterCanDo, 0, 0, nullptr, 0.0f, true},
        {audioMasterEndEdit, kMid, 0, nullptr, 0.0f, true},
        {audioMasterIdle, 0, 0, nullptr, 0.0f, true},
        {audioMasterCanDo, 0, 0, nullptr, 0.0f, true},
        {audioMasterSizeWindow, 380, 110, nullptr, 0.0f, true},
    };
    ASSERT_EQ(host.calls.size(), std::size(expected));
    for (size_t i = 0; i < host.calls.size(); ++i) {
        EXPECT_EQ(host.calls[i].opcode, expected[i].opcode) << "request " << i;
        EXPECT_EQ(host.calls[i].index, expected[i].index) << "request " << i;
        EXPECT_EQ(host.calls[i].value, expected[i].value) << "request " << i;
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
    EXPECT_FALSE(effect.canHostDo("sizeWindow"));
}
