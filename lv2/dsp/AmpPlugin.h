// One instance of the amp as the LV2 DSP module runs it: the engine, the buffers the host
// connected, and the control values last applied. run reads the control ports at the start
// of each block and hands the changed ones to the engine's wait-free setters; it allocates,
// locks and calls the system for nothing.
#pragma once

#include "engine/AmpEngine.h"
#include "lv2/PortLayout.h"

#include <cstdint>

class AmpPlugin {
public:
    // Starts at program 0's values at rate; a rate the engine does not take leaves it
    // silent, as it leaves the VST 2 plug-in.
    explicit AmpPlugin(double sampleRate);

    // Any port index and any pointer, null included; unknown ports are ignored.
    void connectPort(uint32_t port, void* data);
    // Any frame count, 0 included. Outputs connected without an input are silent.
    void run(uint32_t frames);

    const AmpEngine& engine() const { return engine_; }

private:
    void applyChangedControls();
    void silenceOutputs(uint32_t frames);

    AmpEngine engine_;
    const float* input_ = nullptr;
    float* outputs_[2] = {};
    const float* controls_[kNumParams] = {};
    float applied_[kNumParams];  // port values as last applied; NaN before the first
};
