// The Grimbolt amp as a VST 2 effect: identity, the ten parameters, the 63-program bank,
// the audio callbacks handed to the AmpEngine, and the panel. Parameter calls may come from any
// thread at once, the audio thread among them, while audio runs: values are kept as relaxed
// atomics, nothing waits, and each block runs on a whole design of the values as set.
#pragma once

#include "plugin/AudioEffectX.h"
#include "shell/ProgramBank.h"

#include <memory>

class AmpEngine;

class GrimboltEffect : public AudioEffectX {
public:
    explicit GrimboltEffect(audioMasterCallback hostCallback);
    ~GrimboltEffect() override;

    const AmpEngine& engine() const { return *engine_; }

    // Stores the value in the current program (indices 0-6 and 9), applies it to the engine,
    // then notifies the editor. Non-finite values and magnitudes above 1000 are ignored.
    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    void getParameterName(int32_t index, char* text) override;
    void getParameterLabel(int32_t index, char* text) override;
    void getParameterDisplay(int32_t index, char* text) override;

    // Null buffers or channels make the call a no-op.
    void process(float** inputs, float** outputs, int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;

    // Applies the program's eight values through setParameter; 0 <= program < kNumPrograms.
    void setProgram(int32_t program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;

    // Goes to the engine only; the recorded host rate stays as it was.
    void setSampleRate(float sampleRate) override;

    VstPlugCategory getPlugCategory() override { return kPlugCategEffect; }
    bool getEffectName(char* text) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getVendorVersion() override { return 1000; }
    // The editor snapshot of EditorSnapshot.h; 0 for every other request.
    intptr_t vendorSpecific(int32_t index, intptr_t value, void* ptr, float opt) override;

private:
    void notifyEditor(int32_t tag, float value);
    static bool hasAudio(float** inputs, float** outputs, int32_t sampleFrames);

    std::unique_ptr<ProgramBank> programs_;
    std::unique_ptr<AmpEngine> engine_;
};
