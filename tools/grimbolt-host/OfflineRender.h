// Renders a clip through a freshly created instance of a plug-in, as a host does for an
// export: open, rate and block size, program and parameters, resume, blocks, suspend, close.
#pragma once

#include "tools/grimbolt-host/CommandLine.h"
#include "tools/hostkit/AudioClip.h"
#include "tools/hostkit/BlockRenderer.h"
#include "tools/hostkit/HostCallback.h"
#include "tools/hostkit/PluginInstance.h"
#include "tools/hostkit/PluginLibrary.h"

#include <optional>
#include <string>
#include <vector>

struct RenderSettings {
    int sampleRate;                          // the rate the plug-in runs at and the output's rate
    int blockSize;                           // frames per processReplacing call
    std::optional<std::string> program;      // number or name; the plug-in's own start program when absent
    std::vector<ParameterSetting> settings;  // applied after the program, in order
};

// Throws HostError for an unknown program or parameter and for a channel-count mismatch.
AudioClip renderThroughPlugin(const PluginLibrary& library, HostCallback& host, const AudioClip& input,
    const RenderSettings& settings, const BlockRenderer::ProgressReport& progress = {});

// What a host does before the first block, offline and live alike: rate and block size, then
// program and parameters. The caller resumes the instance. Throws HostError as above.
void prepareInstance(PluginInstance& instance, const RenderSettings& settings);

// The same through an instance the caller has created, and perhaps asked about its inputs,
// but not yet configured or resumed.
AudioClip renderThroughInstance(PluginInstance& instance, const AudioClip& input,
    const RenderSettings& settings, const BlockRenderer::ProgressReport& progress = {});
