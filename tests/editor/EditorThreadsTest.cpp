// The host changes parameters from a thread of its own (automation, or the audio thread
// itself) while the window's thread opens the panel, idles, drags its controls and closes
// it. Run under ThreadSanitizer (the tsan preset), any data race between the two fails it;
// natively it checks that the panel ends up showing the last values the host set.
#include "gui/CButtonState.h"
#include "gui/CControl.h"
#include "plugin/Parameters.h"
#include "tests/editor/PanelHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr int kCycles = 25;

}  // namespace

TEST(EditorThreads, HostThreadSetsParametersWhileTheWindowThreadOpensDragsAndCloses)
{
    PanelHost host;
    std::atomic<bool> stop{false};
    std::thread automation([&] {
        uint32_t step = 0;
        while (!stop.load(std::memory_order_relaxed)) {
            const auto index = static_cast<int32_t>(step % kNumParams);
            host.setParameter(index, static_cast<float>(step % 101) / 100.0f);
            ++step;
        }
    });
    const CPos gain(82, 71);
    const CPos channelUp(252, 16);
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        ASSERT_TRUE(host.open());
        host.gesture(
            {{gain, kLButton}, {CPos(gain.h + 15, gain.v), kLButton}, {CPos(gain.h + 15, gain.v), 0}});
        host.click(channelUp);
        host.idle();
        host.close();
        host.idle();
    }
    stop.store(true);
    automation.join();

    ASSERT_TRUE(host.open());
    host.setParameter(kTreble, 0.125f);
    host.setParameter(kChannel, 0.5f);
    host.idle();
    EXPECT_EQ(host.editor().controlForTag(kTreble)->getValue(), 0.125f);
    EXPECT_STREQ(host.editor().channelText(), "crunch channel");
}
