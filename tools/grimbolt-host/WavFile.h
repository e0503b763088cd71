// Reading and writing WAV files. The Linux build uses libsndfile; a build without it has an
// implementation whose every call throws a "not available in this build" HostError.
#pragma once

#include "tools/hostkit/AudioClip.h"

#include <string>

namespace WavFile {

// Throws the "not available in this build" HostError where WAV files cannot be handled, so a
// command can refuse before it does any work.
void requireSupport();

// Any channel count and sample format the library understands, as float samples.
AudioClip read(const std::string& path);

// 32-bit float WAV with one channel per clip channel.
void write(const std::string& path, const AudioClip& clip);

}  // namespace WavFile
