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

void WavFile::requireSupport() { }

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

void WavFile::write(const std::string& path, const AudioClip& clip)
{
    SF_INFO info{};
    info.samplerate = clip.sampleRate;
    info.channels = static_cast<int>(clip.channels.size());
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SndfileHandle file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file) {
        throw HostError("cannot write " + path + ": " + sf_strerror(nullptr));
    }
    // The PEAK chunk carries a time stamp; without it the same audio gives the same file bytes.
    sf_command(file.get(), SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    const size_t channels = clip.channels.size();
    const size_t frames = clip.frames();
    std::vector<float> interleaved(frames * channels);
    for (size_t n = 0; n < frames; ++n) {
        for (size_t c = 0; c < channels; ++c) {
            interleaved[n * channels + c] = clip.channels[c][n];
        }
    }
    if (sf_writef_float(file.get(), interleaved.data(), static_cast<sf_count_t>(frames))
        != static_cast<sf_count_t>(frames)) {
        throw HostError("cannot write " + path + ": " + sf_strerror(file.get()));
    }
}
