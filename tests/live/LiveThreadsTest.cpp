// A whole live run in this process, as grimbolt-host runs it: JACK's process callback plays
// through the plug-in while a test client (grimbolt_live_player, a process of its own) plays
// the phrase and sends program and parameter changes over MIDI, and
// (on a display) the panel's treble knob is turned with the mouse wheel on the main thread.
// Under ThreadSanitizer (the tsan suite runs it on an Xvfb) any data race between the process
// callback, JACK's notification thread and the main thread with the panel fails it.
#include "tests/live/JackTestServer.h"
#include "tests/live/LiveTestSupport.h"
#include "tools/grimbolt-host/CommandLine.h"
#include "tools/grimbolt-host/LiveCommand.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <atomic>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace {

// Where the treble knob is on the screen: the editor's window sits at the root's origin
// when no window manager places it.
constexpr int kTrebleX = 244;
constexpr int kTrebleY = 71;

// Turns the knob under the pointer with the wheel, from a connection of its own, until stopped.
void turnTreble(const std::atomic<bool>& stop)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XTestFakeMotionEvent(display, -1, kTrebleX, kTrebleY, CurrentTime);
    for (unsigned step = 0; !stop.load(); ++step) {
        const unsigned button = step % 4 < 2 ? Button4 : Button5;
        XTestFakeButtonEvent(display, button, True, CurrentTime);
        XTestFakeButtonEvent(display, button, False, CurrentTime);
        XSync(display, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    XCloseDisplay(display);
}

bool haveDisplay()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}

}  // namespace

TEST(LiveThreads, PanelAndMidiChangeParametersWhileTheProcessCallbackRuns)
{
    const std::string directory = scratchDirectory();
    JackTestServer server(directory);
    ASSERT_TRUE(server.ready()) << server.log();
    // Before any thread of ours runs: the live run finds its server as grimbolt-host does.
    setenv("JACK_DEFAULT_SERVER", server.name().c_str(), 1);
    const bool panel = haveDisplay();

    ChildProcess player({GRIMBOLT_LIVE_PLAYER, server.name()}, {}, directory, "player");
    std::atomic<bool> stop{false};
    std::thread turner;
    if (panel)
        turner = std::thread([&] { turnTreble(stop); });

    std::vector<std::string> args = {"live", GRIMBOLT_PLUGIN, "--midi", "--no-connect", "--seconds", "3"};
    if (!panel)
        args.push_back("--no-editor");
    std::ostringstream out;
    runLiveCommand(parseCommandLine(args), out);
    stop.store(true);
    const ChildProcess::Exit played = player.wait(std::chrono::seconds(30));
    if (turner.joinable())
        turner.join();
    unsetenv("JACK_DEFAULT_SERVER");

    const std::string printed = out.str();
    const auto count = [&printed](const std::string& text) {
        size_t n = 0;
        for (size_t at = printed.find(text); at != std::string::npos; at = printed.find(text, at + 1))
            ++n;
        return n;
    };
    std::cout << count("from MIDI") << " MIDI changes and " << count("\ntreble = ")
              << " knob turns printed\n";
    EXPECT_TRUE(played.finished && played.code == 0) << player.standardError() << printed;
    EXPECT_NE(printed.find("from MIDI program change"), std::string::npos) << printed;
    EXPECT_NE(printed.find("from MIDI CC"), std::string::npos) << printed;
    if (panel)
        EXPECT_NE(printed.find("\ntreble = "), std::string::npos) << "no knob turn printed:\n" << printed;
    else
        std::cout << "no display: the run went without its panel\n";
}
