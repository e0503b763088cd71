#include "lv2/dsp/AmpPlugin.h"

#include "lv2/PortUnits.h"
#include "shell/ParameterTable.h"

#include <cmath>
#include <cstring>
#include <limits>

AmpPlugin::AmpPlugin(double sampleRate)
{
    for (int32_t p = 0; p < kNumParams; ++p) {
        kParameterTable[p].apply(engine_, kParameterTable[p].defaultValue);
        applied_[p] = std::numeric_limits<float>::quiet_NaN();
    }
    // After the defaults: the rate change settles the amp at the values it will play.
    engine_.setSampleRate(static_cast<float>(sampleRate));
}

void AmpPlugin::connectPort(uint32_t port, void* data)
{
    if (port == kAudioInputPort)
        input_ = static_cast<const float*>(data);
    else if (port == kAudioOutputPorts[0] || port == kAudioOutputPorts[1])
        outputs_[port - kAudioOutputPorts[0]] = static_cast<float*>(data);
    else if (isControlPort(port))
        controls_[parameterOfPort(port)] = static_cast<const float*>(data);
}

void AmpPlugin::run(uint32_t frames)
{
    applyChangedControls();
    // The engine counts frames in 32 bits; no host hands a block that long.
    if (frames == 0 || frames > static_cast<uint32_t>(std::numeric_limits<int32_t>::max()))
        return;
    if (!input_ || !outputs_[0] || !outputs_[1]) {
        silenceOutputs(frames);
        return;
    }
    engine_.processReplacing(input_, outputs_[0], outputs_[1], static_cast<int32_t>(frames));
}

void AmpPlugin::applyChangedControls()
{
    for (int32_t p = 0; p < kNumParams; ++p) {
        if (!controls_[p])
            continue;
        const float value = *controls_[p];
        // Garbage from the host is not a setting: the engine keeps the last good one.
        if (!std::isfinite(value) || value == applied_[p])
            continue;
        applied_[p] = value;
        kParameterTable[p].apply(engine_, normalisedFromPort(p, value));
    }
}

void AmpPlugin::silenceOutputs(uint32_t frames)
{
    for (float* output : outputs_)
        if (output)
            std::memset(output, 0, sizeof(float) * frames);
}
