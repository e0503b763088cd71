// grimbolt-host live on a dummy JACK server of the test's own, heard through a test client:
// the recording equals, sample for sample, what `grimbolt-host render --block N` makes of the
// same input at the same period N.
//
// Alignment. The test client plays into grimbolt:in and records grimbolt:out_left and
// out_right, so the two clients form a loop, which JACK breaks with a one-period delay: what the
// client plays in period t is processed by grimbolt and heard by the client in period t + 1.
// Before the client connects, grimbolt has already run some periods on silence, and the amp's
// answer to silence is not silence (its stages settle for a fraction of a second), so the
// offline input is that many periods of zeros and then the phrase. Their number is found from
// the recording itself: the client records some periods of silence before the phrase starts,
// and those equal exactly one stretch of the offline render of silence.
#include "tests/live/JackTestClient.h"
#include "tests/live/LiveTestSupport.h"
#include "tools/grimbolt-host/PluckedStringPhrase.h"
#include "tools/grimbolt-host/WavFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

namespace {

constexpr int kRate = 48000;
constexpr int kPeriod = 64;
constexpr size_t kPrerollPeriods = 40;
constexpr size_t kTailPeriods = 4;
constexpr double kPhraseSeconds = 1.5;
constexpr double kSilenceSeconds = 3.0;  // longer than the amp takes to settle on silence
const std::vector<std::string> kProgram = {"--program", "crunch"};

bool sameBlock(
    const std::vector<float>& a, size_t aStart, const std::vector<float>& b, size_t bStart, size_t count)
{
    return aStart + count <= a.size() && bStart + count <= b.size()
        && std::equal(a.begin() + static_cast<std::ptrdiff_t>(aStart),
            a.begin() + static_cast<std::ptrdiff_t>(aStart + count),
            b.begin() + static_cast<std::ptrdiff_t>(bStart));
}

struct Attempt {
    bool equal = false;
    std::string report;
    uint64_t xruns = 0;  // the server's, as the test client and grimbolt-host saw them
};

// The count that ends the summary line ("live: 5.0 s, ..., 3 xruns"); 0 without one.
uint64_t xrunsInSummary(const std::string& output)
{
    const size_t line = output.rfind("live: ");
    const size_t word = line == std::string::npos ? line : output.find(" xrun", line);
    const size_t count = word == std::string::npos ? word : output.rfind(", ", word);
    if (count == std::string::npos || count < line)
        return 0;
    return std::strtoull(output.c_str() + count + 2, nullptr, 10);
}

Attempt playAndCompare(const std::string& directory)
{
    Attempt attempt;
    std::ostringstream report;
    JackTestServer server(directory, kRate, kPeriod);
    if (!server.ready()) {
        attempt.report = "the test server did not start: " + server.log();
        return attempt;
    }
    JackTestClient tester(server.name());
    if (!tester.ok()) {
        attempt.report = "the test client could not join the server";
        return attempt;
    }
    auto live = startLive(
        server, {"--no-editor", "--no-connect", "--seconds", "5", kProgram[0], kProgram[1]}, directory);
    const bool connected = tester.waitForPort("grimbolt:out_right", std::chrono::seconds(10))
        && tester.connect(tester.port("out"), "grimbolt:in", std::chrono::seconds(10))
        && tester.connect("grimbolt:out_left", tester.port("in_left"), std::chrono::seconds(10))
        && tester.connect("grimbolt:out_right", tester.port("in_right"), std::chrono::seconds(10));
    if (!connected) {
        attempt.report = "grimbolt's ports did not come up: " + live->standardError();
        return attempt;
    }

    std::vector<float> phrase = PluckedStringPhrase::render(kRate);
    phrase.resize(static_cast<size_t>(kPhraseSeconds * kRate));
    const size_t phrasePeriods = (phrase.size() + kPeriod - 1) / kPeriod;
    JackTestClient::Script script;
    script.signal = phrase;
    script.signalStart = kPrerollPeriods;
    script.periods = kPrerollPeriods + 1 + phrasePeriods + kTailPeriods;
    tester.run(script);
    const bool recorded = tester.waitUntilDone(std::chrono::seconds(30));
    const ChildProcess::Exit exit = live->wait(std::chrono::seconds(30));
    attempt.xruns = std::max(tester.xruns(), xrunsInSummary(live->standardOutput()));
    if (!recorded || !exit.finished || exit.code != 0) {
        report << "recorded: " << recorded << ", grimbolt-host ended: " << exit.finished << " with "
               << exit.code << "\n"
               << live->standardOutput() << live->standardError();
        attempt.report = report.str();
        return attempt;
    }

    // Where in grimbolt's run the recording starts: the silent stretch before the phrase
    // matches one place of the offline answer to silence.
    const std::vector<float> silence(static_cast<size_t>(kSilenceSeconds * kRate), 0.0f);
    const StereoSignal settling = renderOffline(silence, kRate, kPeriod, kProgram, directory, "silence");
    const size_t silentFrames = (kPrerollPeriods + 1) * kPeriod;
    std::optional<size_t> firstPeriod;
    for (size_t k = 0; (k * kPeriod) + silentFrames <= settling.left.size() && !firstPeriod; ++k) {
        if (sameBlock(tester.left(), 0, settling.left, k * kPeriod, silentFrames)
            && sameBlock(tester.right(), 0, settling.right, k * kPeriod, silentFrames))
            firstPeriod = k;
    }
    if (!firstPeriod) {
        report << "the recorded silence before the phrase matches no stretch of the offline render of silence"
               << " (first recorded samples " << tester.left()[0] << ", " << tester.left()[1] << ")";
        attempt.report = report.str();
        return attempt;
    }

    // The offline input: grimbolt's periods of silence before the phrase, then the phrase,
    // rendered in blocks of the server's period.
    const size_t phrasePeriod = *firstPeriod + kPrerollPeriods + 1;
    std::vector<float> input(phrasePeriod * kPeriod, 0.0f);
    input.insert(input.end(), phrase.begin(), phrase.end());
    input.resize((phrasePeriod + phrasePeriods + kTailPeriods) * kPeriod, 0.0f);
    const StereoSignal offline = renderOffline(input, kRate, kPeriod, kProgram, directory, "phrase");
    const size_t frames = tester.left().size();
    const size_t offset = *firstPeriod * kPeriod;
    size_t differing = 0;
    double largest = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        for (const auto& [heard, rendered] : {std::make_pair(&tester.left(), &offline.left),
                 std::make_pair(&tester.right(), &offline.right)}) {
            const float expected = offset + i < rendered->size() ? (*rendered)[offset + i] : NAN;
            if ((*heard)[i] != expected) {
                ++differing;
                largest = std::max(largest, std::fabs(static_cast<double>((*heard)[i]) - expected));
            }
        }
    }
    double peak = 0.0;
    for (float sample : tester.left())
        peak = std::max(peak, static_cast<double>(std::fabs(sample)));
    report << "recorded " << frames << " frames per channel (" << frames / kPeriod << " periods of "
           << kPeriod << "); the first recorded period is grimbolt's period " << *firstPeriod
           << ", the phrase reached it in period " << phrasePeriod << "; " << differing << " of "
           << 2 * frames << " samples differ from the offline render (largest difference " << largest
           << "), peak " << 20.0 * std::log10(peak) << " dBFS; grimbolt-host said: "
           << live->standardOutput().substr(live->standardOutput().rfind("live: "));
    attempt.equal = differing == 0 && frames > 0;
    if (!attempt.equal) {
        // For a look: the recording, as a WAV beside the offline render's (phrase-out.wav).
        AudioClip recording;
        recording.sampleRate = kRate;
        recording.channels = {tester.left(), tester.right()};
        WavFile::write(directory + "/recorded.wav", recording);
        report << "\nthe recording is " << directory << "/recorded.wav; offline, from frame " << offset
               << " of " << directory << "/phrase-out.wav";
    }
    attempt.report = report.str();
    return attempt;
}

}  // namespace

TEST(LiveEndToEnd, RecordingEqualsTheOfflineRenderAtTheSamePeriod)
{
    // The test servers are synchronous, so that an xrun on a busy machine delays periods but
    // does not tear them (JackTestServer.h). Should one still disturb a run, that run proves
    // nothing either way and is played again; a run without xruns must match.
    constexpr int kAttempts = 3;
    const std::string directory = scratchDirectory();
    for (int i = 1; i <= kAttempts; ++i) {
        const std::string attemptDirectory = directory + "/attempt-" + std::to_string(i);
        std::filesystem::create_directories(attemptDirectory);
        const Attempt attempt = playAndCompare(attemptDirectory);
        if (attempt.equal) {
            std::cout << attempt.report;
            return;
        }
        if (attempt.xruns == 0 || i == kAttempts)
            FAIL() << "attempt " << i << " (" << attempt.xruns << " xruns): " << attempt.report;
        std::cout << "attempt " << i << " had " << attempt.xruns
                  << " xruns and is played again: " << attempt.report << "\n";
    }
}
