// Plays a whole clip through a resumed PluginInstance in host-sized blocks, the way a host
// feeds its audio thread, and collects the outputs.
#pragma once

#include "tools/hostkit/AudioClip.h"
#include "tools/hostkit/PluginInstance.h"

#include <functional>
#include <vector>

class BlockRenderer {
public:
    // Told the fraction done (0 to 1) after each block.
    using ProgressReport = std::function<void(double)>;

    // blockSize: frames per processReplacing call, the size the instance was configured with.
    BlockRenderer(PluginInstance& instance, int32_t blockSize);

    // input must have as many channels as the plug-in has inputs (throws HostError otherwise);
    // the result has one channel per plug-in output, as long as the input, at its rate.
    AudioClip render(const AudioClip& input, const ProgressReport& progress = {});

private:
    PluginInstance& instance_;
    int32_t blockSize_;
    std::vector<std::vector<float>> inputBlocks_;   // one block per plug-in input
    std::vector<std::vector<float>> outputBlocks_;  // one block per plug-in output
    std::vector<float*> inputPointers_;
    std::vector<float*> outputPointers_;
};
