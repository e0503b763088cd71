// What the live tests share: a scratch directory per test, grimbolt-host run as a child
// process on a test server, and offline renders through `grimbolt-host render`.
#pragma once

#include "tests/live/ChildProcess.h"
#include "tests/live/JackTestServer.h"

#include <memory>
#include <string>
#include <vector>

// A fresh directory for the running test, under the build tree.
std::string scratchDirectory();

// `grimbolt-host live GRIMBOLT_PLUGIN args...` on server, its outputs in directory, with the
// environment changed as ChildProcess takes it.
std::unique_ptr<ChildProcess> startLive(const JackTestServer& server, const std::vector<std::string>& args,
    const std::string& directory, const std::vector<std::string>& environment = {});

// The stereo output of `grimbolt-host render` for a mono signal at rate, in blocks of
// blockSize, after `extra` arguments (--program ..., --set ...); empty channels when it failed.
struct StereoSignal {
    std::vector<float> left;
    std::vector<float> right;
};
StereoSignal renderOffline(const std::vector<float>& signal, int rate, int blockSize,
    const std::vector<std::string>& extra, const std::string& directory, const std::string& tag);

// RMS level in dBFS of samples [from, to).
double rmsDbfs(const std::vector<float>& samples, size_t from, size_t to);
