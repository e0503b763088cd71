// How grimbolt-host live ends: with no server, with a port that does not exist, with the server
// killed under it, stopped by a signal or by --seconds; and what it says without a display, at
// a rate the engine is not made for and when the server changes its buffer size.
#include "tests/live/JackTestClient.h"
#include "tests/live/LiveTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

namespace {

using std::chrono::seconds;

constexpr const char* kRunning = "press Ctrl-C to stop";

size_t linesIn(const std::string& text)
{
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

TEST(LiveFaults, NoServerIsOneClearLineAndStartsNone)
{
    const std::string directory = scratchDirectory();
    const std::string name = JackTestServer::uniqueName();
    ChildProcess live({GRIMBOLT_HOST, "live", GRIMBOLT_PLUGIN, "--no-editor", "--seconds", "2"},
        {"JACK_DEFAULT_SERVER=" + name}, directory, "live");
    const ChildProcess::Exit exit = live.wait(seconds(10));
    ASSERT_TRUE(exit.finished) << "hung without a server";
    EXPECT_EQ(exit.code, 1);
    const std::string error = live.standardError();
    std::cout << error;
    EXPECT_EQ(linesIn(error), 1u) << error;
    EXPECT_NE(error.find("no JACK server is running (server \"" + name + "\")"), std::string::npos) << error;
    EXPECT_NE(error.find("jackd -d dummy"), std::string::npos) << error;
    EXPECT_NE(error.find("PipeWire"), std::string::npos) << error;
    // It did not start one: the server is still not there.
    JackTestClient probe(name);
    EXPECT_FALSE(probe.ok());
}

TEST(LiveFaults, MissingPortsAreNamedWithThoseThatExist)
{
    const std::string directory = scratchDirectory();
    JackTestServer server(directory);
    ASSERT_TRUE(server.ready()) << server.log();
    struct Case {
        std::vector<std::string> args;
        std::string expected;
    };
    const Case cases[] = {
        {{"--input", "nobody:out"},
            "there is no JACK port \"nobody:out\" for --input; the ports that can feed grimbolt:in are: "
            "system:capture_1, system:capture_2"},
        {{"--output", "system:playback_1,nobody:in"},
            "there is no JACK port \"nobody:in\" for --output; the ports that can take grimbolt's outputs "
            "are: "
            "system:playback_1, system:playback_2"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"--no-editor", "--seconds", "2"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        auto live = startLive(server, args, directory);
        const ChildProcess::Exit exit = live->wait(seconds(10));
        ASSERT_TRUE(exit.finished);
        EXPECT_EQ(exit.code, 1);
        std::cout << live->standardError();
        EXPECT_NE(live->standardError().find(c.expected), std::string::npos) << live->standardError();
    }
}

TEST(LiveFaults, ServerKilledWhileLiveEndsWithAMessageAndNoCrash)
{
    const std::string directory = scratchDirectory();
    JackTestServer server(directory);
    ASSERT_TRUE(server.ready()) << server.log();
    auto live = startLive(server, {"--no-editor", "--no-connect", "--midi"}, directory);
    ASSERT_TRUE(live->waitForOutput(kRunning, seconds(10)))
        << live->standardOutput() << live->standardError();
    server.kill();
    const auto killed = std::chrono::steady_clock::now();
    const ChildProcess::Exit exit = live->wait(seconds(5));
    ASSERT_TRUE(exit.finished) << "still running five seconds after the server died";
    std::cout << "ended "
              << std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now() - killed)
                     .count()
              << " ms after the kill\n"
              << live->standardOutput() << live->standardError();
    EXPECT_FALSE(exit.signalled) << "signal " << exit.signal << (exit.coreDumped ? ", core dumped" : "");
    EXPECT_EQ(exit.code, 1);
    EXPECT_NE(live->standardError().find("the JACK server went away"), std::string::npos)
        << live->standardError();
    EXPECT_NE(live->standardOutput().find("live: "), std::string::npos) << "no summary";
}

TEST(LiveFaults, SigtermAndSigintStopCleanly)
{
    const std::string directory = scratchDirectory();
    JackTestServer server(directory);
    ASSERT_TRUE(server.ready()) << server.log();
    for (const int signal : {SIGTERM, SIGINT}) {
        auto live = startLive(server, {"--no-editor"}, directory);
        ASSERT_TRUE(live->waitForOutput(kRunning, seconds(10))) << live->standardError();
        live->signal(signal);
        const ChildProcess::Exit exit = live->wait(seconds(5));
        ASSERT_TRUE(exit.finished);
        EXPECT_FALSE(exit.signalled) << "signal " << exit.signal << " after signal " << signal;
        EXPECT_EQ(exit.code, 0) << live->standardError();
        EXPECT_NE(live->standardOutput().find("live: "), std::string::npos) << live->standardOutput();
        EXPECT_EQ(live->standardError(), "");
        // Deactivated, so the ports are gone from the server.
        JackTestClient probe(server.name(), "probe");
        ASSERT_TRUE(probe.ok());
        EXPECT_FALSE(probe.waitForPort("grimbolt:in", std::chrono::milliseconds(0)));
    }
}

TEST(LiveFaults, SecondsEndTheRunWithASummaryAndTheDefaultConnections)
{
    const std::string directory = scratchDirectory();
    JackTestServer server(directory);
    ASSERT_TRUE(server.ready()) << server.log();
    auto live = startLive(server, {"--no-editor", "--seconds", "1"}, directory);
    const ChildProcess::Exit exit = live->wait(seconds(10));
    ASSERT_TRUE(exit.finished);
    EXPECT_EQ(exit.code, 0) << live->standardError();
    const std::string output = live->standardOutput();
    std::cout << output;
    EXPECT_NE(output.find("live: JACK client grimbolt at 48000 Hz, 64 frames a period"), std::string::npos);
    EXPECT_NE(output.find("connected system:capture_1 -> grimbolt:in"), std::string::npos);
    EXPECT_NE(output.find("connected grimbolt:out_left -> system:playback_1"), std::string::npos);
    EXPECT_NE(output.find("connected grimbolt:out_right -> system:playback_2"), std::string::npos);
    EXPECT_NE(output.find("live: 1.0 s, peak in -inf dBFS, peak out "), std::string::npos);
    // Not a terminal: no status line.
    EXPECT_EQ(output.find("load"), std::string::npos);
}

TEST(LiveFaults, NamedPortsAreConnectedInsteadOfThePhysicalOnes)
{
    const std::string directory = scratchDirectory();
    JackTestServer server(directory);
    ASSERT_TRUE(server.ready()) << server.log();
    auto live = startLive(server,
        {"--no-editor", "--seconds", "1", "--input", "system:capture_2", "--output", "system:playback_2"},
        directory);
    const ChildProcess::Exit exit = live->wait(seconds(10));
    ASSERT_TRUE(exit.finished);
    EXPECT_EQ(exit.code, 0) << live->standardError();
    const std::string output = live->standardOutput();
    std::cout << output;
    EXPECT_NE(output.find("connected system:capture_2 -> grimbolt:in\n"), std::string::npos);
    EXPECT_NE(output.find("connected grimbolt:out_left -> system:playback_2\n"), std::string::npos);
    EXPECT_NE(output.find("grimbolt:out_right stays unconnected, as there is one port for the outputs\n"),
        std::string::npos);
    EXPECT_EQ(output.find("system:capture_1"), std::string::npos);
    EXPECT_EQ(output.find("system:playback_1"), std::string::npos);
}

TEST(LiveFaults, WithoutADisplayItPlaysOnWithoutThePanel)
{
    const std::string directory = scratchDirectory();
    JackTestServer server(directory);
    ASSERT_TRUE(server.ready()) << server.log();
    auto live = startLive(server, {"--no-connect", "--seconds", "1"}, directory, {"DISPLAY"});
    const ChildProcess::Exit exit = live->wait(seconds(10));
    ASSERT_TRUE(exit.finished);
    EXPECT_EQ(exit.code, 0) << live->standardError();
    std::cout << live->standardOutput();
    EXPECT_NE(live->standardOutput().find(
                  "playing on without the panel (cannot open the X display; is DISPLAY set?)\n"),
        std::string::npos);
    EXPECT_NE(live->standardOutput().find("\npress Ctrl-C to stop\n"), std::string::npos);
}

TEST(LiveFaults, OtherRatesRunWithAWarning)
{
    const std::string directory = scratchDirectory();
    JackTestServer server(directory, 32000, 128);
    ASSERT_TRUE(server.ready()) << server.log();
    auto live
        = startLive(server, {"--no-editor", "--no-connect", "--seconds", "1", "--name", "amp"}, directory);
    const ChildProcess::Exit exit = live->wait(seconds(10));
    ASSERT_TRUE(exit.finished);
    EXPECT_EQ(exit.code, 0) << live->standardError();
    std::cout << live->standardOutput();
    EXPECT_NE(live->standardOutput().find("live: JACK client amp at 32000 Hz, 128 frames a period"),
        std::string::npos);
    EXPECT_NE(
        live->standardOutput().find("warning: the server runs at 32000 Hz; Grimbolt runs at that rate, but "
                                    "its sound is meant for 44100, 48000, 88200 and 96000 Hz"),
        std::string::npos);
}

TEST(LiveFaults, BufferSizeChangesReachThePlugin)
{
    const std::string directory = scratchDirectory();
    JackTestServer server(directory);
    ASSERT_TRUE(server.ready()) << server.log();
    JackTestClient tester(server.name());
    ASSERT_TRUE(tester.ok());
    auto live = startLive(server, {"--no-editor", "--no-connect", "--seconds", "3"}, directory);
    ASSERT_TRUE(live->waitForOutput(kRunning, seconds(10))) << live->standardError();
    ASSERT_TRUE(tester.setBufferSize(256));
    ASSERT_TRUE(live->waitForOutput("JACK's period is now 256 frames", seconds(5))) << live->standardOutput();
    const ChildProcess::Exit exit = live->wait(seconds(10));
    ASSERT_TRUE(exit.finished);
    EXPECT_EQ(exit.code, 0) << live->standardError();
    std::cout << live->standardOutput();
}
