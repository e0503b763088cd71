// The UI module in a real X11 window on the display ctest starts (Xvfb): it opens in the
// host's parent, follows port events as the VST 2 panel follows its parameters (compared with
// grimbolt-host editor-shot), writes knob drags as port values inside touch gestures, and
// without a display fails to instantiate while the DSP plays on.
#include "lv2/PortLayout.h"
#include "tests/gui/scene/SceneImage.h"
#include "tests/lv2/LilvHost.h"
#include "tests/lv2/UiTestHost.h"
#include "tests/x11/TestDisplay.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>

namespace {

constexpr int32_t kWidth = 380;
constexpr int32_t kHeight = 110;
const CPos kParentOrigin(40, 30);
constexpr auto kStep = std::chrono::milliseconds(10);

class Lv2Ui : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!screen.isOpen())
            GTEST_SKIP() << "no X display";
        parent = screen.createParent(kParentOrigin, kWidth, kHeight);
    }

    void TearDown() override
    {
        if (screen.isOpen())
            screen.destroy(parent);
    }

    // Idles the UI until its window shows expected or about two seconds passed.
    bool idleUntilShowing(UiTestHost& host, const std::vector<uint32_t>& expected)
    {
        for (int round = 0; round < 200; ++round) {
            host.idle();
            if (samePicture(screen.read(screen.childOf(parent), kWidth, kHeight), expected))
                return true;
            std::this_thread::sleep_for(kStep);
        }
        return false;
    }

    CPos onScreen(CPos where) const { return CPos(where).offset(kParentOrigin.h, kParentOrigin.v); }

    TestDisplay screen;
    Window parent = 0;
};

// The VST 2 plug-in's panel picture for the same values, as editor-shot saves it.
std::vector<uint32_t> editorShot(const std::string& settings)
{
    const std::string path = testing::TempDir() + "lv2-ui-expected.png";
    const std::string command = std::string(GRIMBOLT_HOST) + " editor-shot " + GRIMBOLT_PLUGIN + " " + path
        + " " + settings + " > /dev/null";
    SceneImage image;
    if (std::system(command.c_str()) != 0 || !image.load(path))
        return {};
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            pixels.push_back(image.at(x, y));
    return pixels;
}

}  // namespace

TEST_F(Lv2Ui, OpensInTheParentWindowAndAsksForThePanelsSize)
{
    UiTestHost host;
    ASSERT_TRUE(host.instantiate(parent));
    EXPECT_NE(screen.childOf(parent), 0u);
    EXPECT_EQ(host.widget(), screen.childOf(parent));
    EXPECT_EQ(host.requestedWidth, kWidth);
    EXPECT_EQ(host.requestedHeight, kHeight);
    // Marked fixed-size, so that hosts embedding it keep it at the panel's size.
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_NE(XGetWMNormalHints(screen.display(), screen.childOf(parent), &hints, &supplied), 0);
    EXPECT_EQ(hints.flags & (PMinSize | PMaxSize), PMinSize | PMaxSize);
    EXPECT_EQ(std::make_pair(hints.min_width, hints.min_height), std::make_pair(kWidth, kHeight));
    EXPECT_EQ(std::make_pair(hints.max_width, hints.max_height), std::make_pair(kWidth, kHeight));
    EXPECT_EQ(host.idle(), 0);
    host.cleanup();
    EXPECT_EQ(screen.childOf(parent), 0u) << "cleanup removes the window";
}

TEST_F(Lv2Ui, PortEventsMoveTheControlsAsTheVst2PanelShowsThem)
{
    const std::vector<uint32_t> expected
        = editorShot("--program crunch --set drive=0.25 treble=0.9 \"Bypass cabinet=1\"");
    ASSERT_EQ(expected.size(), static_cast<size_t>(kWidth * kHeight));
    UiTestHost host;
    ASSERT_TRUE(host.instantiate(parent));
    // The crunch preset's ports, then the three changes, in the ports' units.
    const std::pair<int32_t, float> events[] = {{kMaster, -10.4575748f}, {kDrive, 6.0f}, {kChannel, 1.0f},
        {kDrive, 2.5f}, {kTreble, 9.0f}, {kBypassCabinet, 1.0f}};
    for (const auto& [parameter, value] : events)
        host.portEvent(controlPortOf(parameter), value);
    EXPECT_TRUE(idleUntilShowing(host, expected)) << "the window does not show what editor-shot shows";
    EXPECT_TRUE(host.messages.empty()) << "host changes are not written back";
}

TEST_F(Lv2Ui, KnobDragWritesThePortValueInsideATouchGesture)
{
    UiTestHost host;
    ASSERT_TRUE(host.instantiate(parent));
    host.portEvent(controlPortOf(kDrive), 5.0f);
    host.idle();
    // The knob tracks the pointer inside the idle that takes the press, so the pointer moves
    // and lets go from a connection and thread of its own.
    screen.movePointer(onScreen(CPos(82, 71)));
    screen.setButton(Button1, true);
    std::thread hand([this] {
        TestDisplay own;
        for (const CPos& where : {CPos(92, 71), CPos(102, 71)}) {
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            own.movePointer(onScreen(where));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        own.setButton(Button1, false);
    });
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < until) {
        host.idle();
        std::this_thread::sleep_for(kStep);
    }
    hand.join();
    const uint32_t drive = controlPortOf(kDrive);
    ASSERT_GE(host.messages.size(), 3u);
    EXPECT_EQ(host.messages.front().kind, UiMessage::kGrab);
    EXPECT_EQ(host.messages.front().port, drive);
    EXPECT_EQ(host.messages.back().kind, UiMessage::kRelease);
    EXPECT_EQ(host.messages.back().port, drive);
    for (size_t i = 1; i + 1 < host.messages.size(); ++i) {
        EXPECT_EQ(host.messages[i].kind, UiMessage::kWrite);
        EXPECT_EQ(host.messages[i].port, drive);
    }
    // 200 pixels span the range: 20 to the right add one on the 0 to 10 scale.
    EXPECT_FLOAT_EQ(host.messages[host.messages.size() - 2].value, 6.0f);
}

TEST(Lv2UiWithoutDisplay, FailsToInstantiateAndTheDspPlaysOn)
{
    ASSERT_EQ(std::getenv("DISPLAY"), nullptr) << "run with DISPLAY unset";
    UiTestHost host;
    EXPECT_FALSE(host.instantiate(0x200001));
    LilvBundle bundle(GRIMBOLT_LV2_BUNDLE);
    LilvAmp amp(bundle, 48000);
    ASSERT_TRUE(amp.isValid());
    amp.activate();
    const std::vector<float> input(4800, 0.25f);
    const std::vector<float> output = amp.render(input, 256);
    EXPECT_GT(*std::max_element(output.begin(), output.end()), 0.0f);
}
