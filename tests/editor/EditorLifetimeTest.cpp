// Opening and closing the panel many times leaves nothing behind: natively valgrind checks
// the memory (the ctest entry that runs this test under it), on Windows the GDI objects.
#include "plugin/Parameters.h"
#include "tests/editor/PanelHost.h"
#include "tests/editor/SystemObjects.h"

#include <gtest/gtest.h>

TEST(EditorLifetime, HundredOpenCloseCyclesLeaveNothingBehind)
{
    PanelHost host;
    // The first cycle creates what the system keeps for the rest of the process.
    ASSERT_TRUE(host.open());
    host.close();
    const int before = liveSystemObjects();
    for (int cycle = 0; cycle < 100; ++cycle) {
        ASSERT_TRUE(host.open()) << "cycle " << cycle;
        host.setParameter(kChannel, 0.5f);
        host.idle();
        host.close();
    }
    EXPECT_EQ(liveSystemObjects(), before);
}

TEST(EditorLifetime, TheHostMayCloseThePanelFromItsAnswersDuringAGesture)
{
    const int32_t opcodes[]
        = {audioMasterBeginEdit, audioMasterAutomate, audioMasterIdle, audioMasterEndEdit};
    const struct {
        const char* what;
        std::vector<MouseScript::Step> steps;
    } gestures[] = {
        {"knob drag",
            {{CPos(82, 71), kLButton}, {CPos(102, 61), kLButton}, {CPos(112, 51), kLButton},
                {CPos(112, 51), 0}}},
        {"channel arrow", {{CPos(252, 16), kLButton}, {CPos(252, 16), kLButton}, {CPos(252, 16), 0}}},
        {"cabinet button", {{CPos(284, 36), kLButton}, {CPos(284, 36), 0}}},
    };
    for (const auto& gesture : gestures) {
        for (int32_t opcode : opcodes) {
            PanelHost host;
            ASSERT_TRUE(host.open());
            host.closeOnOpcode = opcode;
            host.gesture(gesture.steps);
            EXPECT_EQ(host.frame(), nullptr) << gesture.what << ", opcode " << opcode;
            // The instance goes on: it opens again and shows the parameters it holds.
            host.events.clear();
            ASSERT_TRUE(host.open()) << gesture.what << ", opcode " << opcode;
            host.click(CPos(252, 16));
            EXPECT_FALSE(host.automation().empty()) << gesture.what << ", opcode " << opcode;
        }
    }
}
