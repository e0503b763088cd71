#include "plugin/HostTrampolines.h"

#include "plugin/AudioEffect.h"

namespace {
// Null for a record that is not one of ours any more (or never was): the host gets 0.
AudioEffect* effectOf(AEffect* effect)
{
    return effect ? static_cast<AudioEffect*>(effect->object) : nullptr;
}
}  // namespace

intptr_t VST_CALLBACK dispatchEffectClass(
    AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    try {
        AudioEffect* const object = effectOf(effect);
        if (!object)
            return 0;
        if (opcode == effClose) {
            object->dispatcher(opcode, index, value, ptr, opt);
            delete object;
            return 1;
        }
        return object->dispatcher(opcode, index, value, ptr, opt);
    } catch (...) {
        return 0;
    }
}

void VST_CALLBACK processClass(AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames)
{
    try {
        if (AudioEffect* const object = effectOf(effect))
            object->process(inputs, outputs, sampleFrames);
    } catch (...) {
    }
}

void VST_CALLBACK processClassReplacing(
    AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames)
{
    try {
        if (AudioEffect* const object = effectOf(effect))
            object->processReplacing(inputs, outputs, sampleFrames);
    } catch (...) {
    }
}

void VST_CALLBACK setParameterClass(AEffect* effect, int32_t index, float value)
{
    try {
        if (AudioEffect* const object = effectOf(effect))
            object->setParameter(index, value);
    } catch (...) {
    }
}

float VST_CALLBACK getParameterClass(AEffect* effect, int32_t index)
{
    try {
        AudioEffect* const object = effectOf(effect);
        return object ? object->getParameter(index) : 0.0f;
    } catch (...) {
        return 0.0f;
    }
}
