// The LV2 plug-in's ports, by index: the audio input, the two outputs (the same signal) and
// the ten parameters in the parameter table's order. The Turtle, the DSP module and the UI
// module all number them from here.
#pragma once

#include "plugin/Parameters.h"

#include <cstdint>

constexpr uint32_t kAudioInputPort = 0;
constexpr uint32_t kAudioOutputPorts[] = {1, 2};
constexpr uint32_t kFirstControlPort = 3;
constexpr uint32_t kNumPorts = kFirstControlPort + kNumParams;

constexpr uint32_t controlPortOf(int32_t parameter)
{
    return kFirstControlPort + static_cast<uint32_t>(parameter);
}

constexpr bool isControlPort(uint32_t port)
{
    return port >= kFirstControlPort && port < kNumPorts;
}

constexpr int32_t parameterOfPort(uint32_t port)
{
    return static_cast<int32_t>(port - kFirstControlPort);
}

// Stable from the first release on: songs store them.
inline constexpr const char* kPluginUri = "urn:kelvaro-sound-lab:grimbolt";
inline constexpr const char* kUiUri = "urn:kelvaro-sound-lab:grimbolt#ui";
