#include "tests/live/LiveTestSupport.h"

#include "tools/grimbolt-host/SignalLevels.h"
#include "tools/grimbolt-host/WavFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

std::string scratchDirectory()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path path = std::filesystem::path(SCRATCH_DIRECTORY)
        / (std::string(test->test_suite_name()) + "." + test->name());
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path.string();
}

std::unique_ptr<ChildProcess> startLive(const JackTestServer& server, const std::vector<std::string>& args,
    const std::string& directory, const std::vector<std::string>& environment)
{
    std::vector<std::string> argv = {GRIMBOLT_HOST, "live", GRIMBOLT_PLUGIN};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> changes = server.environment();
    changes.insert(changes.end(), environment.begin(), environment.end());
    // A file of its own for each run, so that a wait for its output never reads an earlier one's.
    static int runs = 0;
    return std::make_unique<ChildProcess>(argv, changes, directory, "live-" + std::to_string(++runs));
}

StereoSignal renderOffline(const std::vector<float>& signal, int rate, int blockSize,
    const std::vector<std::string>& extra, const std::string& directory, const std::string& tag)
{
    const std::string in = directory + "/" + tag + "-in.wav";
    const std::string out = directory + "/" + tag + "-out.wav";
    AudioClip clip;
    clip.sampleRate = rate;
    clip.channels = {signal};
    WavFile::write(in, clip);
    std::vector<std::string> argv
        = {GRIMBOLT_HOST, "render", GRIMBOLT_PLUGIN, in, out, "--block", std::to_string(blockSize)};
    argv.insert(argv.end(), extra.begin(), extra.end());
    ChildProcess render(argv, {}, directory, tag + "-render");
    const ChildProcess::Exit exit = render.wait(std::chrono::seconds(120));
    if (!exit.finished || exit.code != 0) {
        ADD_FAILURE() << "grimbolt-host render failed: " << render.standardError();
        return {};
    }
    const AudioClip rendered = WavFile::read(out);
    if (rendered.channels.size() != 2)
        return {};
    return {rendered.channels[0], rendered.channels[1]};
}

double rmsDbfs(const std::vector<float>& samples, size_t from, size_t to)
{
    double sum = 0.0;
    for (size_t i = from; i < to; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return SignalLevels::toDbfs(std::sqrt(sum / static_cast<double>(to - from)));
}
