// Reading and writing WAV files, in every build. Writing is our own; reading goes through
// libsndfile natively and through our own decoder in the Windows builds. Failures throw a
// HostError naming the file.
#pragma once

#include "tools/hostkit/AudioClip.h"

#include <string>

namespace WavFile {

// Any channel count, integer PCM or float samples, as float samples.
AudioClip read(const std::string& path);

// 32-bit float WAV with one channel per clip channel.
void write(const std::string& path, const AudioClip& clip);

}  // namespace WavFile
