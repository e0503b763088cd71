#include "plugin/AudioEffectX.h"

#include "plugin/AEffEditor.h"

AudioEffectX::AudioEffectX(audioMasterCallback hostCallback, int32_t numPrograms, int32_t numParams)
    : AudioEffect(hostCallback, numPrograms, numParams)
{
}

intptr_t AudioEffectX::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    if (opcode < effProcessEvents || opcode > effBeginLoadProgram)
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);

    char* const text = static_cast<char*>(ptr);
    switch (opcode) {
    case effCanBeAutomated:
        return canParameterBeAutomated(index) ? 1 : 0;
    case effGetNumProgramCategories:
        return getNumCategories();
    case effGetProgramNameIndexed:
        return text && getProgramNameIndexed(static_cast<int32_t>(value), index, text) ? 1 : 0;
    case effConnectInput:
    case effConnectOutput:
        return 1;  // accepted; the amp does not care which channels are wired
    case effGetPlugCategory:
        return getPlugCategory();
    case effSetBlockSizeAndSampleRate:
        setBlockSizeAndSampleRate(static_cast<int32_t>(value), opt);
        return 1;
    case effGetEffectName:
        return text && getEffectName(text) ? 1 : 0;
    case effGetVendorString:
        return text && getVendorString(text) ? 1 : 0;
    case effGetProductString:
        return text && getProductString(text) ? 1 : 0;
    case effGetVendorVersion:
        return getVendorVersion();
    case effKeysRequired:
        return keysRequired() ? 0 : 1;  // the opcode asks the inverse: 1 means "no keys needed"
    case effGetVstVersion:
        return getVstVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effEditKeyDown:
    case effEditKeyUp:
        return forwardKey(opcode, index, value, opt);
    case effSetEditKnobMode:
        return getEditor() ? getEditor()->setKnobMode(static_cast<int32_t>(value)) : 0;
    case effGetCurrentMidiProgram:
        return -1;  // no MIDI programs
    case effGetSpeakerArrangement: {
        // Both addresses arrive from the host, one of them in value; no arrangement to report.
        auto* const input = reinterpret_cast<void**>(value);
        auto* const output = static_cast<void**>(ptr);
        if (input && output) {
            *input = nullptr;
            *output = nullptr;
        }
        return 0;
    }
    case effSetTotalSampleToProcess:
        return value;  // processes every frame it is given
    default:
        // MIDI, offline processing, chunks, bypass and canDo: not offered, answer 0.
        return 0;
    }
}

float AudioEffectX::updateSampleRate()
{
    const intptr_t rate = callHost(audioMasterGetSampleRate, 0, 0, nullptr, 0.0f);
    if (rate > 0)
        setSampleRateField(static_cast<float>(rate));
    return getSampleRate();
}

bool AudioEffectX::canHostDo(const char* text)
{
    return callHost(audioMasterCanDo, 0, 0, const_cast<char*>(text), 0.0f) != 0;
}

bool AudioEffectX::sizeWindow(int32_t width, int32_t height)
{
    return callHost(audioMasterSizeWindow, width, height, nullptr, 0.0f) != 0;
}

void AudioEffectX::setBlockSizeAndSampleRate(int32_t blockSize, float sampleRate)
{
    // Recorded only: the engine learns its rate from effSetSampleRate alone.
    AudioEffect::setBlockSize(blockSize);
    setSampleRateField(sampleRate);
}

intptr_t AudioEffectX::forwardKey(int32_t opcode, int32_t index, intptr_t value, float opt)
{
    AEffEditor* const editor = getEditor();
    if (!editor)
        return 0;
    // Modifiers travel as a float; anything that is not a byte value carries none.
    const uint8_t modifiers = opt >= 0.0f && opt < 256.0f ? static_cast<uint8_t>(opt) : 0;
    VstKeyCode key{index, static_cast<uint8_t>(value), modifiers};
    return opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
}
