// The C-convention trampolines stored in every AEffect: each fetches the effect from
// effect->object and calls it. No exception crosses here; failures are results.
#pragma once

#include "plugin/vst/VstInterface.h"

// Every AEffect slot goes through these; each fetches the effect from effect->object.
// effClose destroys the effect after its own dispatcher ran and answers 1.
intptr_t VST_CALLBACK dispatchEffectClass(
    AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
void VST_CALLBACK processClass(AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames);
void VST_CALLBACK processClassReplacing(
    AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames);
void VST_CALLBACK setParameterClass(AEffect* effect, int32_t index, float value);
float VST_CALLBACK getParameterClass(AEffect* effect, int32_t index);
