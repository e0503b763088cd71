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
