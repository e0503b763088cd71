#include "tools/hostkit/BlockRenderer.h"

#include "tools/hostkit/HostError.h"

#include <algorithm>
#include <string>

BlockRenderer::BlockRenderer(PluginInstance& instance, int32_t blockSize)
    : instance_(instance)
    , blockSize_(blockSize)
    , inputBlocks_(static_cast<size_t>(std::max(instance.numInputs(), 0)), std::vector<float>(blockSize))
    , outputBlocks_(static_cast<size_t>(std::max(instance.numOutputs(), 0)), std::vector<float>(blockSize))
{
    for (auto& block : inputBlocks_) {
        inputPointers_.push_back(block.data());
    }
    for (auto& block : outputBlocks_) {
        outputPointers_.push_back(block.data());
    }
}

AudioClip BlockRenderer::render(const AudioClip& input, const ProgressReport& progress)
{
    if (input.channels.size() != inputBlocks_.size()) {
        throw HostError("mono/stereo mismatch: the input has " + std::to_string(input.channels.size())
            + " channel(s) but the plug-in takes " + std::to_string(inputBlocks_.size())
            + " input(s); give it a file with matching channels");
    }
    const size_t frames = input.frames();
    AudioClip output;
    output.sampleRate = input.sampleRate;
    output.channels.assign(outputBlocks_.size(), std::vector<float>(frames));

    for (size_t start = 0; start < frames; start += static_cast<size_t>(blockSize_)) {
        const size_t count = std::min(frames - start, static_cast<size_t>(blockSize_));
        for (size_t c = 0; c < inputBlocks_.size(); ++c) {
            std::copy_n(input.channels[c].begin() + static_cast<std::ptrdiff_t>(start), count,
                inputBlocks_[c].begin());
        }
        instance_.processReplacing(
            inputPointers_.data(), outputPointers_.data(), static_cast<int32_t>(count));
        for (size_t c = 0; c < outputBlocks_.size(); ++c) {
            std::copy_n(outputBlocks_[c].begin(), count,
                output.channels[c].begin() + static_cast<std::ptrdiff_t>(start));
        }
        if (progress) {
            progress(static_cast<double>(start + count) / static_cast<double>(frames));
        }
    }
    return output;
}
