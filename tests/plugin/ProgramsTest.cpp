#include "RecordingEditor.h"
#include "TestHost.h"

#include "plugin/Parameters.h"

#include <gtest/gtest.h>

TEST(Programs, FactoryBankHoldsFourPresetsAndUserSlots)
{
    struct Case {
        int32_t program;
        const char* name;
        float values[kNumParams];  // as getParameter reads them
    };
    const Case cases[] = {
        {0, "default", {0.25f, 0.3f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.5f, 0.0f, 0.0f}},
        {1, "clean", {0.4f, 0.3f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.5f, 0.0f, 0.0f}},
        {2, "crunch", {0.3f, 0.6f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.5f, 0.0f, 0.5f}},
        {3, "high gain", {0.2f, 0.9f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.5f, 0.0f, 1.0f}},
        {4, "User", {0.25f, 0.3f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.5f, 0.0f, 0.0f}},
        {62, "User", {0.25f, 0.3f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.5f, 0.0f, 0.0f}},
    };
    TestHost host;
    host.load();
    EXPECT_EQ(host.text(effGetProgramName), "default");
    for (const Case& c : cases) {
        host.dispatch(effSetProgram, 0, c.program);
        EXPECT_EQ(host.text(effGetProgramName), c.name) << "program " << c.program;
        for (int32_t i = 0; i < kNumParams; ++i)
            EXPECT_EQ(host.getParameter(i), c.values[i]) << "program " << c.program << ", parameter " << i;
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
    host.dispatch(effSetProgram, 0, 2);
    EXPECT_EQ(host.getParameter(kDrive), 0.8f);
    EXPECT_EQ(host.getParameter(kChannel), 1.0f);
}

TEST(Programs, NamesRenameListAndNumberInit)
{
    struct Case {
        int32_t program;
        const char* name;
        const char* shown;
    };
    const Case cases[] = {
        {4, "Init", "Init 5"}, {62, "Init", "Init 63"}, {0, "Init ", "Init "}, {1, "init", "init"},
        {2, "A very long program name that goes on", "A very long program nam"},  // cut to 23
    };
    TestHost host;
    host.load();
    for (const Case& c : cases) {
        host.dispatch(effSetProgram, 0, c.program);
        host.dispatch(effSetProgramName, 0, 0, const_cast<char*>(c.name));
        EXPECT_EQ(host.text(effGetProgramName), c.shown) << "program " << c.program;
    }
    const std::pair<int32_t, std::string> indexed[] = {
        {4, "Init"},
        {3, "high gain"},
        {61, "User"},
        {63, std::string(255, '#')},
        {-1, std::string(255, '#')},
    };
    for (const auto& [index, name] : indexed) {
        EXPECT_EQ(host.text(effGetProgramNameIndexed, index, 7), name) << "index " << index;
        char buffer[32] = {};
        EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, index, 0, buffer), index >= 0 && index < 63)
            << "index " << index;
    }
}
