// The VST 2 layer of an effect: answers dispatcher opcodes 25 to 76 (identity strings,
// categories, program names by index, editor keys and knob mode) and adds the VST 2 host
// requests. Defaults claim nothing; the effect overrides what it offers.
#pragma once

#include "plugin/AudioEffect.h"

class AudioEffectX : public AudioEffect {
public:
    AudioEffectX(audioMasterCallback hostCallback, int32_t numPrograms, int32_t numParams);

    intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override;

    virtual bool canParameterBeAutomated(int32_t) { return true; }
    virtual int32_t getNumCategories() { return 1; }
    // Writes the name of program index into text; false, writing nothing, when there is none.
    virtual bool getProgramNameIndexed(int32_t, int32_t, char*) { return false; }
    virtual VstPlugCategory getPlugCategory() { return kPlugCategUnknown; }
    virtual bool getEffectName(char*) { return false; }
    virtual bool getVendorString(char*) { return false; }
    virtual bool getProductString(char*) { return false; }
    virtual int32_t getVendorVersion() { return 0; }
    virtual bool keysRequired() { return false; }
    virtual int32_t getVstVersion() { return 2300; }
    // effVendorSpecific: private requests between a plug-in and tools that know them.
    virtual intptr_t vendorSpecific(int32_t, intptr_t, void*, float) { return 0; }

    // Host requests; without a host callback each answers false and sends nothing.
    // Asks the host for its rate and records an answer above 0; returns the recorded rate.
    float updateSampleRate();
    bool canHostDo(const char* text);
    bool sizeWindow(int32_t width, int32_t height);

private:
    void setBlockSizeAndSampleRate(int32_t blockSize, float sampleRate);
    intptr_t forwardKey(int32_t opcode, int32_t index, intptr_t value, float opt);
};
