#include "shell/GrimboltEffect.h"

#include "engine/AmpEngine.h"
#include "plugin/AEffEditor.h"
#include "plugin/EditorSnapshot.h"
#include "shell/EditorFactory.h"
#include "shell/ParameterTable.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
constexpr int32_t kUniqueId = 0x74756231;  // 'tub1'
constexpr const char* kEffectName = "Grimbolt";
constexpr const char* kVendorName = "Kelvaro Sound Lab";
// Beyond this a value is garbage from the host, not an exotic setting; it would also
// overflow the gain and display arithmetic.
constexpr float kMaxParameterMagnitude = 1000.0f;
}  // namespace

GrimboltEffect::GrimboltEffect(audioMasterCallback hostCallback)
    : AudioEffectX(hostCallback, kNumPrograms, kNumParams)
{
    engine_ = std::make_unique<AmpEngine>();
    updateSampleRate();
    programs_ = std::make_unique<ProgramBank>();
    setNumInputs(1);
    setNumOutputs(2);
    canProcessReplacing();
    setUniqueID(kUniqueId);
    attachEditor(this);
    setProgram(0);
}

GrimboltEffect::~GrimboltEffect()
{
    // Engine first, then the bank; the base then destroys the editor.
    engine_.reset();
    programs_.reset();
}

void GrimboltEffect::setParameter(int32_t index, float value)
{
    if (!isParameterIndex(index) || !std::isfinite(value) || std::fabs(value) > kMaxParameterMagnitude)
        return;
    const ParameterRow& row = kParameterTable[index];
    if (row.storedInPrograms())
        (*programs_)[getProgram()].values[index] = value;
    row.apply(*engine_, value);
    notifyEditor(editorTagOf(index, value), value);
}

float GrimboltEffect::getParameter(int32_t index)
{
    return isParameterIndex(index) ? kParameterTable[index].read(*engine_) : 0.0f;
}

void GrimboltEffect::getParameterName(int32_t index, char* text)
{
    if (isParameterIndex(index))
        std::strcpy(text, kParameterTable[index].name);
}

void GrimboltEffect::getParameterLabel(int32_t index, char* text)
{
    if (isParameterIndex(index))
        std::strcpy(text, kParameterTable[index].label);
}

void GrimboltEffect::getParameterDisplay(int32_t index, char* text)
{
    if (isParameterIndex(index))
        kParameterTable[index].display(*engine_, text);
}

bool GrimboltEffect::hasAudio(float** inputs, float** outputs, int32_t sampleFrames)
{
    return sampleFrames > 0 && inputs && outputs && inputs[0] && outputs[0] && outputs[1];
}

void GrimboltEffect::process(float** inputs, float** outputs, int32_t sampleFrames)
{
    if (hasAudio(inputs, outputs, sampleFrames))
        engine_->process(inputs[0], outputs[0], outputs[1], sampleFrames);
}

void GrimboltEffect::processReplacing(float** inputs, float** outputs, int32_t sampleFrames)
{
    if (hasAudio(inputs, outputs, sampleFrames))
        engine_->processReplacing(inputs[0], outputs[0], outputs[1], sampleFrames);
}

void GrimboltEffect::setProgram(int32_t program)
{
    AudioEffectX::setProgram(program);
    const AmpProgram stored = (*programs_)[program];
    for (int32_t order = 0; order < kNumParams; ++order) {
        for (int32_t i = 0; i < kNumParams; ++i) {
            if (kParameterTable[i].programOrder == order)
                setParameter(i, stored.values[i]);
        }
    }
}

void GrimboltEffect::setProgramName(char* name)
{
    (*programs_)[getProgram()].setName(name);
}

void GrimboltEffect::getProgramName(char* name)
{
    const AmpProgram& program = (*programs_)[getProgram()];
    // A program the host has named "Init", as hosts name the programs they reset, shows with
    // its number, so that a list of reset programs stays tellable apart. (The bank's own
    // fresh slots are named "User".)
    if (std::strcmp(program.name, "Init") == 0)
        std::snprintf(name, AmpProgram::kNameSize, "Init %d", static_cast<int>(getProgram() + 1));
    else
        std::strcpy(name, program.name);
}

bool GrimboltEffect::getProgramNameIndexed(int32_t, int32_t index, char* text)
{
    if (!ProgramBank::contains(index))
        return false;
    std::strcpy(text, (*programs_)[index].name);
    return true;
}

void GrimboltEffect::setSampleRate(float sampleRate)
{
    engine_->setSampleRate(sampleRate);
}

bool GrimboltEffect::getEffectName(char* text)
{
    std::strcpy(text, kEffectName);
    return true;
}

bool GrimboltEffect::getVendorString(char* text)
{
    std::strcpy(text, kVendorName);
    return true;
}

bool GrimboltEffect::getProductString(char* text)
{
    std::strcpy(text, kEffectName);
    return true;
}

intptr_t GrimboltEffect::vendorSpecific(int32_t index, intptr_t value, void* ptr, float)
{
    const auto headerSize = static_cast<intptr_t>(sizeof(EditorSnapshot));
    if (index != kEditorSnapshotIndex || !ptr || value < headerSize || value > kEditorSnapshotMaxBytes
        || reinterpret_cast<uintptr_t>(ptr) % alignof(EditorSnapshot) != 0)
        return 0;
    auto* header = static_cast<EditorSnapshot*>(ptr);
    if (header->magic != kEditorSnapshotMagic)
        return 0;
    int32_t width = 0;
    int32_t height = 0;
    const auto capacity = static_cast<size_t>(value - headerSize) / sizeof(uint32_t);
    if (!snapshotEditor(getEditor(), reinterpret_cast<uint32_t*>(header + 1), capacity, width, height))
        return 0;
    header->width = width;
    header->height = height;
    return 1;
}

void GrimboltEffect::notifyEditor(int32_t tag, float value)
{
    if (AEffEditor* const editor = getEditor())
        editor->setParameter(tag, value);
}
