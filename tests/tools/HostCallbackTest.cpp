#include "tools/hostkit/HostCallback.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(HostCallback, AnswersTheRequestsAPluginMakesWhileStarting)
{
    HostCallback host;
    host.setSampleRate(96000.0);
    host.setBlockSize(256);
    HostCallback::ConstructionScope scope(host);
    // Before the host knows the effect, requests arrive with a null effect or an unbound record.
    AEffect unbound{};
    unbound.uniqueID = 0x74756231;
    EXPECT_EQ(HostCallback::entry(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f), 2400);
    EXPECT_EQ(HostCallback::entry(&unbound, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f), 96000);
    EXPECT_EQ(HostCallback::entry(&unbound, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f), 256);
    EXPECT_EQ(HostCallback::entry(&unbound, audioMasterCurrentId, 0, 0, nullptr, 0.0f), 0x74756231);
    char capability[] = "sizeWindow";
    EXPECT_EQ(HostCallback::entry(&unbound, audioMasterCanDo, 0, 0, capability, 0.0f), 0);
    char vendor[64];
    std::memset(vendor, 'x', sizeof vendor);
    EXPECT_EQ(HostCallback::entry(&unbound, audioMasterGetVendorString, 0, 0, vendor, 0.0f), 1);
    EXPECT_STREQ(vendor, HostCallback::kVendorString);
}

TEST(HostCallback, RoutesABoundEffectsAutomationToItsOwnHost)
{
    HostCallback constructing;
    HostCallback owner;
    AEffect effect{};
    owner.bind(effect);
    HostCallback::ConstructionScope scope(constructing);
    HostCallback::entry(&effect, audioMasterAutomate, 3, 0, nullptr, 0.75f);
    HostCallback::entry(&effect, audioMasterAutomate, 9, 0, nullptr, 0.5f);
    EXPECT_TRUE(constructing.automation().empty());
    ASSERT_EQ(owner.automation().size(), 2u);
    EXPECT_EQ(owner.automation()[0].index, 3);
    EXPECT_FLOAT_EQ(owner.automation()[0].value, 0.75f);
    EXPECT_EQ(owner.automation()[1].index, 9);
    EXPECT_FLOAT_EQ(owner.automation()[1].value, 0.5f);
}

TEST(HostCallback, RequestsOutsideAnyHostAreAnsweredWithZero)
{
    AEffect orphan{};
    EXPECT_EQ(HostCallback::entry(&orphan, audioMasterVersion, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(HostCallback::entry(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f), 0);
}
