// Reading WAV files natively through libsndfile, which also takes the formats beyond WAV it knows.
#include "tools/grimbolt-host/WavFile.h"

#include "tools/hostkit/HostError.h"

#include <sndfile.h>

#include <memory>

namespace {

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

}  // namespace

AudioClip WavFile::read(const std::string& path)
{
    SF_INFO info{};
    SndfileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        throw HostError("cannot read " + path + ": " + sf_strerror(nullptr));
    }
    const size_t channels = static_cast<size_t>(info.channels);
    const size_t frames = static_cast<size_t>(info.frames);
    std::vector<float> interleaved(frames * channels);
    if (sf_readf_float(file.get(), interleaved.data(), info.frames) != info.frames) {
        throw HostError("cannot read " + path + ": the file ends early");
    }
    AudioClip clip;
    clip.sampleRate = info.samplerate;
    clip.channels.assign(channels, std::vector<float>(frames));
    for (size_t n = 0; n < frames; ++n) {
        for (size_t c = 0; c < channels; ++c) {
            clip.channels[c][n] = interleaved[n * channels + c];
        }
    }
    return clip;
}
