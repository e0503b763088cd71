// A host for tests: loads the plug-in through createGrimboltEffect, drives it only through
// the AEffect slots, and records every request the plug-in sends back.
#pragma once

#include "shell/GrimboltEffect.h"
#include "plugin/vst/VstInterface.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct HostCall {
    int32_t opcode;
    int32_t index;
    intptr_t value;
    void* ptr;
    float opt;
    bool fromEffect;  // carried the plug-in's own AEffect (false only for the version query)
};

class TestHost {
public:
    TestHost();
    // Sends effClose if the plug-in is still loaded.
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    // Calls the entry; null when the plug-in refused to load.
    AEffect* load();
    AEffect* effect() const { return effect_; }
    GrimboltEffect& plugin() const;

    intptr_t dispatch(
        int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    // Runs a text opcode on a large buffer pre-filled with '#'; returns the zero-terminated text.
    std::string text(int32_t opcode, int32_t index = 0, intptr_t value = 0);
    void setParameter(int32_t index, float value);
    float getParameter(int32_t index);
    std::string display(int32_t index) { return text(effGetParamDisplay, index); }
    // effClose through the record's dispatcher; the plug-in is gone afterwards.
    intptr_t close();

    std::map<int32_t, intptr_t> answers;  // by host opcode; unlisted opcodes answer 0
    std::vector<HostCall> calls;

private:
    static intptr_t VST_CALLBACK callback(
        AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

    AEffect* effect_ = nullptr;
};
