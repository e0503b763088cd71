#include "plugin/GrimboltEffect.h"

#include "editor/GrimboltEditor.h"
#include "engine/AmpEngine.h"
#include "plugin/EditorSnapshot.h"
#include "plugin/ParameterFormat.h"
#include "plugin/Parameters.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
constexpr int32_t kUniqueId = 0x74756231;  // 'tub1'
constexpr const char* kEffectName = "Grimbolt";
constexpr const char* kVendorName = "Kelvaro Sound Lab";
constexpr std::size_t kDisplaySize = 15;  // longest text and its terminator
// Beyond this a value is garbage from the host, not an exotic setting; it would also
// overflow the gain and display arithmetic.
constexpr float kMaxParameterMagnitude = 1000.0f;
constexpr double kOneTwentyFourth = 0.041666668f;  // the float nearest 1/24 (24 dB range)

// The input-gain factor as its normalised value: 20 log10(gain) / 24 + 0.5.
double inputGainToValue(float gain)
{
    return 20.0 * std::log10(static_cast<double>(gain)) * kOneTwentyFourth + 0.5;
}

void writeNumber(char* text, double value)
{
    std::snprintf(text, kDisplaySize, "%f", value);
}
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
    new GrimboltEditor(this);  // attaches itself as the editor, which the base owns
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
    if (!std::isfinite(value) || std::fabs(value) > kMaxParameterMagnitude)
        return;
    AmpProgram& program = (*programs_)[getProgram()];
    switch (index) {
    case kMaster:
        program.master = value;
        engine_->setMaster(value);
        break;
    case kDrive:
        program.drive = value;
        engine_->setDrive(value);
        break;
    case kBass:
        program.bass = value;
        engine_->setBass(value);
        break;
    case kMid:
        program.mid = value;
        engine_->setMid(value);
        break;
    case kTreble:
        program.treble = value;
        engine_->setTreble(value);
        break;
    case kPresence:
        program.presence = value;
        engine_->setPresence(value);
        break;
    case kVoicing:
        program.voicing = value;
        engine_->setVoicing(value);
        break;
    case kInputGain:
        engine_->setInputGain(value);
        break;
    case kBypassCabinet:
        engine_->setCabinetBypass(value);
        break;
    case kChannel: {
        program.channel = value;
        const int32_t channel = channelFromValue(value);
        engine_->setChannel(channel);
        notifyEditor(kChannelTagBase + channel, value);
        return;
    }
    default:
        return;
    }
    notifyEditor(index, value);
}

float GrimboltEffect::getParameter(int32_t index)
{
    const AmpEngine& amp = *engine_;
    switch (index) {
    case kMaster:
        return amp.master();
    case kDrive:
        return amp.drive();
    case kBass:
        return amp.bass();
    case kMid:
        return amp.mid();
    case kTreble:
        return amp.treble();
    case kPresence:
        return amp.presence();
    case kVoicing:
        return amp.voicing();
    // The value as set: read back through the gain's logarithm, one value in five would come
    // back a step off, and a saved song would reopen with a slightly different gain.
    case kInputGain:
        return amp.inputGainValue();
    case kBypassCabinet:
        return amp.cabinetActive() ? 0.0f : 1.0f;
    // Normalised, so that a song saved with this value reopens on the same channel:
    // channelFromValue maps 0.0, 0.5 and 1.0 back to clean, crunch and ultra.
    case kChannel:
        return static_cast<float>(amp.channel()) * 0.5f;
    default:
        return 0.0f;
    }
}

void GrimboltEffect::getParameterName(int32_t index, char* text)
{
    if (isParameterIndex(index))
        std::strcpy(text, kParameterNames[index]);
}

void GrimboltEffect::getParameterLabel(int32_t index, char* text)
{
    if (isParameterIndex(index))
        std::strcpy(text, kParameterLabels[index]);
}

void GrimboltEffect::getParameterDisplay(int32_t index, char* text)
{
    static constexpr const char* kChannelNames[] = {"clean channel", "crunch channel", "ultra channel"};
    const AmpEngine& amp = *engine_;
    switch (index) {
    case kMaster:
        dB2string(amp.master(), text);
        break;
    case kDrive:
        writeNumber(text, amp.drive() * 10.0);
        break;
    case kBass:
        writeNumber(text, amp.bass() * 10.0);
        break;
    case kMid:
        writeNumber(text, amp.mid() * 10.0);
        break;
    case kTreble:
        writeNumber(text, amp.treble() * 10.0);
        break;
    case kPresence:
        writeNumber(text, amp.presence() * 10.0);
        break;
    case kVoicing:
        writeNumber(text, amp.voicing());
        break;
    case kInputGain:
        writeNumber(text, (inputGainToValue(amp.inputGain()) - 0.5) * 24.0);
        break;
    case kBypassCabinet:
        std::strcpy(text, amp.cabinetActive() ? "cab active" : "cab bypassed");
        break;
    case kChannel:
        std::strcpy(text, kChannelNames[amp.channel()]);
        break;
    default:
        break;
    }
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
    const AmpProgram values = (*programs_)[program];
    setParameter(kMaster, values.master);
    setParameter(kDrive, values.drive);
    setParameter(kBass, values.bass);
    setParameter(kMid, values.mid);
    setParameter(kTreble, values.treble);
    setParameter(kPresence, values.presence);
    setParameter(kChannel, values.channel);
    setParameter(kVoicing, values.voicing);
}

void GrimboltEffect::setProgramName(char* name)
{
    (*programs_)[getProgram()].setName(name);
}

void GrimboltEffect::getProgramName(char* name)
{
    const AmpProgram& program = (*programs_)[getProgram()];
    // "Init" names are numbered so a list of fresh programs stays tellable apart.
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
    auto* panel = dynamic_cast<GrimboltEditor*>(getEditor());
    if (header->magic != kEditorSnapshotMagic || !panel)
        return 0;
    int32_t width = 0;
    int32_t height = 0;
    const auto capacity = static_cast<size_t>(value - headerSize) / sizeof(uint32_t);
    if (!panel->snapshot(reinterpret_cast<uint32_t*>(header + 1), capacity, width, height))
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
