// grimbolt.so as a host drives it, the reference the LV2 renders must match: configured for
// the rate first, then set up, then resumed, as LilvAmp is instantiated, set up and activated.
#pragma once

#include "tools/hostkit/HostCallback.h"
#include "tools/hostkit/PluginInstance.h"
#include "tools/hostkit/PluginLibrary.h"

#include <vector>

class VstReference {
public:
    VstReference(double sampleRate, int32_t blockSize);

    PluginInstance& instance() { return instance_; }
    // Resumes, then the whole input in blocks; the first output.
    std::vector<float> render(const std::vector<float>& input);

private:
    PluginLibrary library_;
    HostCallback host_;
    PluginInstance instance_;
    double sampleRate_;
    int32_t blockSize_;
};
