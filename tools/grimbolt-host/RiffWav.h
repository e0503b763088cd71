// WAV files as bytes, in our own code so that every build can read and write them: the writer
// makes 32-bit float WAV; the reader takes integer PCM of 8, 16, 24 or 32 bits and float of 32
// or 64 bits, plain or in the extensible format, with any chunks around them.
#pragma once

#include "tools/hostkit/AudioClip.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace RiffWav {

// The most samples (frames times channels) a float WAV file can hold.
size_t maxFloatSamples();

// 32-bit float WAV: a format chunk of type 3, a fact chunk and the interleaved samples.
// The clip holds at most maxFloatSamples() samples.
std::vector<uint8_t> encodeFloat(const AudioClip& clip);

// The samples as floats, integers scaled to -1 .. 1. Throws a HostError that starts with
// "cannot read NAME: " for anything that is not such a file.
AudioClip decode(const uint8_t* data, size_t size, const std::string& name);

}  // namespace RiffWav
