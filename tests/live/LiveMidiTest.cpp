// MIDI into a live run: a test client sends Program Change 2 and Control Change 21 = 127 while
// it plays a steady tone through grimbolt-host live; the change lines read back crunch and
// drive 1.0, and the recorded level moves from the default program's to that of crunch with the
// drive full up, as offline renders of the same tone give them.
#include "tests/live/JackTestClient.h"
#include "tests/live/LiveTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kRate = 48000;
constexpr size_t kPeriods = 900;
constexpr size_t kChangePeriod = 400;
// Level windows, in periods: steady before the change, and after it once the knobs' smoothing
// has settled.
constexpr size_t kBeforeFrom = 150, kBeforeTo = 390, kAfterFrom = 600, kAfterTo = 890;
constexpr double kToleranceDb = 1.0;

}  // namespace

TEST(LiveMidi, ProgramChangeAndControlChangeSetCrunchAndFullDrive)
{
    const std::string directory = scratchDirectory();
    JackTestServer server(directory);
    ASSERT_TRUE(server.ready()) << server.log();
    JackTestClient tester(server.name());
    ASSERT_TRUE(tester.ok());
    auto live = startLive(server, {"--no-editor", "--no-connect", "--midi", "--seconds", "5"}, directory);
    ASSERT_TRUE(tester.waitForPort("grimbolt:midi_in", std::chrono::seconds(10))) << live->standardError();
    const auto limit = std::chrono::seconds(10);
    ASSERT_TRUE(tester.connect(tester.port("midi_out"), "grimbolt:midi_in", limit));
    ASSERT_TRUE(tester.connect(tester.port("out"), "grimbolt:in", limit));
    ASSERT_TRUE(tester.connect("grimbolt:out_left", tester.port("in_left"), limit));
    ASSERT_TRUE(tester.connect("grimbolt:out_right", tester.port("in_right"), limit));

    const uint32_t period = tester.period();
    std::vector<float> tone(kPeriods * period);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = 0.25f * static_cast<float>(std::sin(2.0 * M_PI * 110.0 * static_cast<double>(i) / kRate));
    JackTestClient::Script script;
    script.signal = tone;
    script.periods = kPeriods;
    script.midi = {{kChangePeriod, {0xC0, 2}}, {kChangePeriod, {0xB0, 21, 127}}};
    tester.run(script);
    ASSERT_TRUE(tester.waitUntilDone(std::chrono::seconds(30)));
    const ChildProcess::Exit exit = live->wait(std::chrono::seconds(30));
    ASSERT_TRUE(exit.finished);
    EXPECT_EQ(exit.code, 0) << live->standardError();

    const std::string output = live->standardOutput();
    std::cout << output;
    EXPECT_NE(output.find("program = 2 (crunch) from MIDI program change\n"), std::string::npos);
    EXPECT_NE(output.find("drive = 1.000000 ("), std::string::npos);
    EXPECT_NE(output.find(") from MIDI CC 21\n"), std::string::npos);

    const StereoSignal before
        = renderOffline(tone, kRate, static_cast<int>(period), {}, directory, "default");
    const StereoSignal after = renderOffline(tone, kRate, static_cast<int>(period),
        {"--program", "crunch", "--set", "drive=1"}, directory, "crunch");
    ASSERT_FALSE(before.left.empty());
    ASSERT_FALSE(after.left.empty());
    const double liveBefore = rmsDbfs(tester.left(), kBeforeFrom * period, kBeforeTo * period);
    const double liveAfter = rmsDbfs(tester.left(), kAfterFrom * period, kAfterTo * period);
    const double offlineBefore = rmsDbfs(before.left, kBeforeFrom * period, kBeforeTo * period);
    const double offlineAfter = rmsDbfs(after.left, kAfterFrom * period, kAfterTo * period);
    std::cout << "RMS before the change " << liveBefore << " dBFS live, " << offlineBefore
              << " dBFS offline (default); after " << liveAfter << " dBFS live, " << offlineAfter
              << " dBFS offline (crunch, drive 1)\n";
    ASSERT_GT(std::fabs(offlineAfter - offlineBefore), 3.0) << "the two settings should differ in level";
    EXPECT_NEAR(liveBefore, offlineBefore, kToleranceDb);
    EXPECT_NEAR(liveAfter, offlineAfter, kToleranceDb);
}
