#include "tools/grimbolt-host/InputChannels.h"

#include "tools/grimbolt-host/CommandLine.h"

namespace {

std::string channelCount(size_t channels)
{
    return std::to_string(channels) + (channels == 1 ? " channel" : " channels");
}

}  // namespace

AudioClip InputChannels::toMono(const AudioClip& clip, std::optional<int> channel, const std::string& name)
{
    const size_t count = clip.channels.size();
    AudioClip mono;
    mono.sampleRate = clip.sampleRate;
    if (channel) {
        if (*channel < 1 || static_cast<size_t>(*channel) > count) {
            throw UsageError("--channel " + std::to_string(*channel) + ": " + name + " has "
                + channelCount(count) + ", counted from 1");
        }
        mono.channels.push_back(clip.channels[static_cast<size_t>(*channel) - 1]);
        return mono;
    }
    if (count <= 1)
        return clip;
    // Summed in double and rounded once, so the mean of integer samples is the nearest float.
    const size_t frames = clip.frames();
    mono.channels.assign(1, std::vector<float>(frames));
    for (size_t n = 0; n < frames; ++n) {
        double sum = 0.0;
        for (const std::vector<float>& samples : clip.channels)
            sum += samples[n];
        mono.channels[0][n] = static_cast<float>(sum / static_cast<double>(count));
    }
    return mono;
}

std::string InputChannels::describe(const std::string& name, size_t channels, std::optional<int> channel)
{
    if (channels <= 1)
        return "";
    if (channel)
        return name + ": channel " + std::to_string(*channel) + " of " + std::to_string(channels)
            + " played, the others left out";
    return name + ": " + channelCount(channels) + " mixed to mono (their mean); --channel N picks one";
}
