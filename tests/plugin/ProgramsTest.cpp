#include "RecordingEditor.h"
#include "TestHost.h"

#include "plugin/Parameters.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Programs, FactoryBankHoldsFourPresetsAndUserSlots)
{
    struct Case {
        int32_t program;
        const char* name;
        float master, drive, bass, mid, treble, presence, voicing, channel;
    };
    const Case cases[] = {
        {0, "default", 0.25f, 0.3f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f},
        {1, "clean", 0.4f, 0.3f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f},
        {2, "crunch", 0.3f, 0.6f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 1.0f},
        {3, "high gain", 0.2f, 0.9f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 2.0f},
        {4, "User", 0.25f, 0.3f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f},
        {62, "User", 0.25f, 0.3f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f},
    };
    TestHost host;
    host.load();
    EXPECT_EQ(host.text(effGetProgramName), "default");
    for (const Case& c : cases) {
        host.dispatch(effSetProgram, 0, c.program);
        EXPECT_EQ(host.dispatch(effGetProgram), c.program);
        EXPECT_EQ(host.text(effGetProgramName), c.name) << "program " << c.program;
        const float expected[] = {c.master, c.drive, c.bass, c.mid, c.treble, c.presence, c.voicing};
        for (int32_t i = kMaster; i <= kVoicing; ++i)
            EXPECT_EQ(host.getParameter(i), expected[i]) << "program " << c.program << ", parameter " << i;
        EXPECT_EQ(host.getParameter(kChannel), c.channel) << "program " << c.program << " channel number";
    }
}

TEST(Programs, SelectingAppliesValuesInOrderAndLeavesGlobalsAlone)
{
    TestHost host;
    host.load();
    host.setParameter(kInputGain, 0.75f);
    host.setParameter(kBypassCabinet, 1.0f);
    RecordingEditor* editor = attachRecordingEditor(host.plugin());

    host.dispatch(effSetProgram, 0, 3);
    EXPECT_EQ(editor->tags(), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 11, 6}));
    EXPECT_EQ(host.display(kChannel), "ultra channel");
    EXPECT_NEAR(host.getParameter(kInputGain), 0.75f, 1e-6f);
    EXPECT_EQ(host.getParameter(kBypassCabinet), 1.0f);
}

TEST(Programs, EditsPersistPerProgram)
{
    TestHost host;
    host.load();
    host.dispatch(effSetProgram, 0, 2);
    host.setParameter(kDrive, 0.8f);
    host.setParameter(kChannel, 0.9f);
    host.dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(host.getParameter(kDrive), 0.3f);
    EXPECT_EQ(host.getParameter(kChannel), 0.0f);
    host.dispatch(effSetProgram, 0, 2);
    EXPECT_EQ(host.getParameter(kDrive), 0.8f);
    EXPECT_EQ(host.getParameter(kChannel), 2.0f);
}

TEST(Programs, InitNamesAreNumberedOnlyForTheCurrentProgram)
{
    struct Case {
        int32_t program;
        const char* name;
        const char* shown;
    };
    const Case cases[] = {
        {4, "Init", "Init 5"},
        {62, "Init", "Init 63"},
        {0, "Init ", "Init "},
        {1, "init", "init"},
        {2, "My Lead", "My Lead"},
    };
    TestHost host;
    host.load();
    for (const Case& c : cases) {
        host.dispatch(effSetProgram, 0, c.program);
        host.dispatch(effSetProgramName, 0, 0, const_cast<char*>(c.name));
        EXPECT_EQ(host.text(effGetProgramName), c.shown) << "program " << c.program;
        EXPECT_EQ(host.text(effGetProgramNameIndexed, c.program), c.name) << "program " << c.program;
    }
}

TEST(Programs, IndexedNamesCoverTheBankOnly)
{
    struct Case {
        int32_t index;
        intptr_t answer;
        std::string name;
    };
    const Case cases[] = {
        {0, 1, "default"}, {3, 1, "high gain"}, {62, 1, "User"},
        {63, 0, std::string(255, '#')}, {-1, 0, std::string(255, '#')},
    };
    TestHost host;
    host.load();
    for (const Case& c : cases) {
        char buffer[256];
        std::memset(buffer, '#', sizeof(buffer));
        buffer[255] = 0;
        EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, c.index, 7, buffer), c.answer) << "index " << c.index;
        EXPECT_EQ(std::string(buffer), c.name) << "index " << c.index;
    }
}

TEST(Programs, SavingByReadBackTurnsCrunchIntoUltra)
{
    // A host that saves getParameter values and writes them back gets the channel number,
    // which as a normalised value selects ultra.
    TestHost host;
    host.load();
    host.dispatch(effSetProgram, 0, 2);
    const float saved = host.getParameter(kChannel);
    EXPECT_EQ(saved, 1.0f);
    host.setParameter(kChannel, saved);
    EXPECT_EQ(host.display(kChannel), "ultra channel");
}
