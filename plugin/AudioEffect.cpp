#include "plugin/AudioEffect.h"

#include "plugin/AEffEditor.h"
#include "plugin/HostTrampolines.h"

#include <cstring>

namespace {
constexpr int32_t kPlaceholderId = 0x4E6F4566;  // 'NoEf', until the effect sets its own
}

AudioEffect::AudioEffect(audioMasterCallback hostCallback, int32_t numPrograms, int32_t numParams)
    : sampleRate_(44100.0f)
    , editor_(nullptr)
    , hostCallback_(hostCallback)
    , numPrograms_(numPrograms)
    , currentProgram_(0)
    , blockSize_(1024)
{
    std::memset(&cEffect_, 0, sizeof(cEffect_));
    cEffect_.magic = kEffectMagic;
    cEffect_.dispatcher = dispatchEffectClass;
    cEffect_.process = processClass;
    cEffect_.setParameter = setParameterClass;
    cEffect_.getParameter = getParameterClass;
    cEffect_.numPrograms = numPrograms;
    cEffect_.numParams = numParams;
    cEffect_.numInputs = 1;
    cEffect_.numOutputs = 2;
    cEffect_.ioRatio = 1.0f;
    cEffect_.object = this;
    cEffect_.uniqueID = kPlaceholderId;
    cEffect_.version = 1;
    cEffect_.processReplacing = processClassReplacing;
}

AudioEffect::~AudioEffect()
{
    delete editor_;
}

void AudioEffect::setEditor(AEffEditor* editor)
{
    if (editor_ != editor)
        delete editor_;
    editor_ = editor;
    if (editor)
        cEffect_.flags |= effFlagsHasEditor;
    else
        cEffect_.flags &= ~effFlagsHasEditor;
}

intptr_t AudioEffect::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    char* const text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen:
        open();
        break;
    case effClose:
        close();
        break;
    case effSetProgram:
        if (value >= 0 && value < numPrograms_)
            setProgram(static_cast<int32_t>(value));
        break;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (text)
            setProgramName(text);
        break;
    case effGetProgramName:
        if (text)
            getProgramName(text);
        break;
    case effGetParamLabel:
        if (text)
            getParameterLabel(index, text);
        break;
    case effGetParamDisplay:
        if (text)
            getParameterDisplay(index, text);
        break;
    case effGetParamName:
        if (text)
            getParameterName(index, text);
        break;
    case effGetVu:
        return static_cast<intptr_t>(getVu() * 32767.0f);
    case effSetSampleRate:
        setSampleRate(opt);
        break;
    case effSetBlockSize:
        setBlockSize(static_cast<int32_t>(value));
        break;
    case effMainsChanged:
        if (value == 0)
            suspend();
        else
            resume();
        break;
    case effEditGetRect:
        if (editor_ && ptr)
            return editor_->getRect(static_cast<ERect**>(ptr));
        break;
    case effEditOpen:
        if (editor_)
            return editor_->open(ptr);
        break;
    case effEditClose:
        if (editor_)
            editor_->close();
        break;
    case effEditIdle:
        if (editor_)
            editor_->idle();
        break;
    case effIdentify:
        return kEffectIdentify;
    default:
        // Chunks, the VST 1 editor mouse/key/draw calls and unknown opcodes are not offered.
        break;
    }
    return 0;
}

void AudioEffect::setParameterAutomated(int32_t index, float value)
{
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::masterIdle()
{
    callHost(audioMasterIdle, 0, 0, nullptr, 0.0f);
}

bool AudioEffect::beginEdit(int32_t index)
{
    return callHost(audioMasterBeginEdit, index, 0, nullptr, 0.0f) != 0;
}

bool AudioEffect::endEdit(int32_t index)
{
    return callHost(audioMasterEndEdit, index, 0, nullptr, 0.0f) != 0;
}

intptr_t AudioEffect::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    return hostCallback_ ? hostCallback_(&cEffect_, opcode, index, value, ptr, opt) : 0;
}
