// One running VST 2 effect, driven as a host drives it: effOpen on creation, sample rate and
// block size, effMainsChanged around processing, effClose on destruction.
// The library and the host callback must outlive the instance.
#pragma once

#include "plugin/vst/VstInterface.h"
#include "tools/hostkit/HostCallback.h"
#include "tools/hostkit/PluginLibrary.h"

#include <cstdint>
#include <string>

class PluginInstance {
public:
    // Creates the effect through the library's entry and sends effOpen; throws HostError.
    PluginInstance(const PluginLibrary& library, HostCallback& host);
    // Suspends the effect if it is running, then sends effClose (which destroys it).
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    intptr_t dispatch(
        int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f) const;

    // Identity
    std::string effectName() const { return queryText(effGetEffectName); }
    std::string vendorString() const { return queryText(effGetVendorString); }
    std::string productString() const { return queryText(effGetProductString); }
    int32_t vendorVersion() const { return static_cast<int32_t>(dispatch(effGetVendorVersion)); }
    int32_t category() const { return static_cast<int32_t>(dispatch(effGetPlugCategory)); }
    int32_t vstVersion() const { return static_cast<int32_t>(dispatch(effGetVstVersion)); }
    int32_t uniqueId() const { return effect_->uniqueID; }
    int32_t version() const { return effect_->version; }
    int32_t flags() const { return effect_->flags; }
    int32_t numInputs() const { return effect_->numInputs; }
    int32_t numOutputs() const { return effect_->numOutputs; }
    int32_t numPrograms() const { return effect_->numPrograms; }
    int32_t numParameters() const { return effect_->numParams; }

    // Parameters
    std::string parameterName(int32_t index) const { return queryText(effGetParamName, index); }
    std::string parameterLabel(int32_t index) const { return queryText(effGetParamLabel, index); }
    std::string parameterDisplay(int32_t index) const { return queryText(effGetParamDisplay, index); }
    float parameter(int32_t index) const { return effect_->getParameter(effect_, index); }
    void setParameter(int32_t index, float value) { effect_->setParameter(effect_, index, value); }

    // Editor: the size effEditGetRect reports; throws HostError when there is no editor or
    // it reports an empty size.
    struct EditorSize {
        int32_t width;
        int32_t height;
    };
    EditorSize editorSize() const;

    // Programs
    int32_t currentProgram() const { return static_cast<int32_t>(dispatch(effGetProgram)); }
    void setProgram(int32_t index) { dispatch(effSetProgram, 0, index); }
    std::string programName(int32_t index) const { return queryText(effGetProgramNameIndexed, index); }

    // Processing: configure() sends effSetSampleRate and effSetBlockSize (and tells the host
    // callback, which answers the plug-in's own questions); resume()/suspend() send
    // effMainsChanged 1/0.
    void configure(double sampleRate, int32_t blockSize);
    void resume();
    void suspend();

    // Called between resume() and suspend(); at most the configured block size per call.
    void processReplacing(float** inputs, float** outputs, int32_t frames)
    {
        effect_->processReplacing(effect_, inputs, outputs, frames);
    }

private:
    // Plug-ins write their texts into a host buffer; a large zeroed one survives plug-ins that
    // write more than the nominal 8 or 24 characters and keeps unanswered queries empty.
    static constexpr size_t kTextCapacity = 256;
    std::string queryText(int32_t opcode, int32_t index = 0) const;

    HostCallback& host_;
    AEffect* effect_;
    bool resumed_ = false;
};
