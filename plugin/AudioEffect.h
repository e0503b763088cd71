// The VST 1 layer of an effect: owns the AEffect record the host talks through, answers
// the dispatcher opcodes below 25 and above 76, and carries the requests the effect sends
// to the host. Every virtual has a default, so a derived effect overrides only what it
// offers. Dispatcher and parameter calls come from any host thread.
#pragma once

#include "base/RelaxedAtomic.h"
#include "plugin/vst/VstInterface.h"

#include <cstdint>

class AEffEditor;

class AudioEffect {
public:
    AudioEffect(audioMasterCallback hostCallback, int32_t numPrograms, int32_t numParams);
    // Destroys the editor object, if any; its window must already be closed.
    virtual ~AudioEffect();
    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    AEffect* getAeffect() { return &cEffect_; }
    // Takes ownership of the editor object, destroying the one it replaces, and tells the
    // host whether there is an editor.
    void setEditor(AEffEditor* editor);
    AEffEditor* getEditor() const { return editor_; }
    float getSampleRate() const { return sampleRate_; }
    int32_t getBlockSize() const { return blockSize_; }

    virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

    virtual void open() { }
    virtual void close() { }
    virtual void suspend() { }
    virtual void resume() { }

    // The dispatcher calls setProgram only with 0 <= program < numPrograms.
    virtual void setProgram(int32_t program) { currentProgram_ = program; }
    virtual int32_t getProgram() { return currentProgram_; }
    virtual void setProgramName(char*) { }
    virtual void getProgramName(char* name) { name[0] = 0; }

    virtual void setParameter(int32_t, float) { }
    virtual float getParameter(int32_t) { return 0.0f; }
    // Text buffers come from the host; each writes a zero-terminated string or nothing.
    virtual void getParameterLabel(int32_t, char*) { }
    virtual void getParameterDisplay(int32_t, char*) { }
    virtual void getParameterName(int32_t, char*) { }
    virtual float getVu() { return 0.0f; }

    virtual void setSampleRate(float sampleRate) { sampleRate_ = sampleRate; }
    virtual void setBlockSize(int32_t blockSize) { blockSize_ = blockSize; }

    // Audio callbacks, on the host's audio thread: 1 input, 2 outputs; process adds into
    // the outputs, processReplacing overwrites them.
    virtual void process(float**, float**, int32_t) { }
    virtual void processReplacing(float**, float**, int32_t) { }

    // Requests to the host; without a host callback each sends nothing and answers false.
    // Applies the value, then tells the host so it can record the edit as automation.
    virtual void setParameterAutomated(int32_t index, float value);
    void masterIdle();
    bool beginEdit(int32_t index);
    bool endEdit(int32_t index);

protected:
    intptr_t callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
    void setNumInputs(int32_t inputs) { cEffect_.numInputs = inputs; }
    void setNumOutputs(int32_t outputs) { cEffect_.numOutputs = outputs; }
    void setUniqueID(int32_t id) { cEffect_.uniqueID = id; }
    void canProcessReplacing() { cEffect_.flags |= effFlagsCanReplacing; }
    void setSampleRateField(float sampleRate) { sampleRate_ = sampleRate; }

private:
    float sampleRate_;                  // the host rate as last reported; audio does not read it
    AEffEditor* editor_;                // owned; null until an editor attaches
    audioMasterCallback hostCallback_;  // may be null
    int32_t numPrograms_;
    RelaxedAtomic<int32_t> currentProgram_;  // read by setParameter on any thread
    int32_t blockSize_;                      // recorded only
    AEffect cEffect_;                        // what the host holds; its object field points back here
};
