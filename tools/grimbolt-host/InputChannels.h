// A file of several channels fitted to a plug-in with one input, as a guitarist's stereo DI
// recording must be: one channel picked, or the mean of all of them.
#pragma once

#include "tools/hostkit/AudioClip.h"

#include <cstddef>
#include <optional>
#include <string>

namespace InputChannels {

// The clip as one channel: the one numbered `channel`, counted from 1, or the mean of all
// when absent. Throws UsageError, naming the file `name`, for a channel the clip lacks.
AudioClip toMono(const AudioClip& clip, std::optional<int> channel, const std::string& name);

// One line that tells what toMono does to `channels` channels read from `name`; empty when
// there is only one.
std::string describe(const std::string& name, size_t channels, std::optional<int> channel);

}  // namespace InputChannels
