// Editor: the input decodes into a sequence of editor calls on one plug-in instance, drawn on
// the offscreen platform: opening and closing the panel, idle time, keys, wheel turns, mouse
// presses anywhere with drags through any points and buttons, paint requests, files dropped
// anywhere with the frame's drops on or off, new frame sizes with a host that sizes its
// window or not, parameter and program changes arriving from the host, and a host that
// closes the panel from inside its answer to one of the plug-in's requests. A drag is a script of cursor
// positions and held buttons in time; the controls' tracking loops poll it and sleep through it, and it
// always ends released.
//
// Besides crashes, sanitizer reports, leaks and timeouts, the oracle stops on a non-finite
// parameter read-back and on a non-finite output sample after finite input, checked with a
// block of audio at the end.
#include "gui/CDropFiles.h"
#include "gui/CFrame.h"
#include "gui/platform/offscreen/OffscreenWindow.h"
#include "gui/platform/offscreen/ScriptedInput.h"
#include "plugin/AEffGUIEditor.h"
#include "plugin/AudioEffect.h"
#include "shell/PluginEntry.h"
#include "plugin/vst/VstInterface.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t kMaxCalls = 48;
// Each open decodes the panel's images afresh, the slowest step by far; a few per sequence
// already reach every open-close interplay.
constexpr int kMaxOpens = 3;
constexpr int kMaxDragSteps = 12;
constexpr uint32_t kStepMilliseconds = 30;

// What the run did, reported when the fuzzer exits.
struct Counts {
    long long sequences = 0, opened = 0, presses = 0, drops = 0, resizes = 0;
} counts;

void reportCounts()
{
    std::fprintf(stderr,
        "editor sequences: %lld, panels opened: %lld, presses: %lld, drops: %lld, resizes: %lld\n",
        counts.sequences, counts.opened, counts.presses, counts.drops, counts.resizes);
}

// The first time the plug-in sends this opcode, the host closes the editor from inside its
// answer, as a host does when the user shuts the window during a drag; -1: never.
int32_t closeOnOpcode = -1;
// Whether the host can size the editor window ("sizeWindow") and does.
bool hostSizesWindow = false;

intptr_t VST_CALLBACK fuzzHost(AEffect* effect, int32_t opcode, int32_t, intptr_t, void* ptr, float)
{
    if (effect && opcode == closeOnOpcode) {
        closeOnOpcode = -1;
        effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
    }
    switch (opcode) {
    case audioMasterVersion:
        return 2400;
    case audioMasterGetSampleRate:
        return 48000;
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        return 1;
    case audioMasterCanDo:
        return hostSizesWindow && ptr && std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0;
    case audioMasterSizeWindow:
        return hostSizesWindow;
    default:
        return 0;
    }
}

// The panel's frame while it is open, null otherwise.
CFrame* panelFrame(AEffect* effect)
{
    auto* editor = static_cast<AEffGUIEditor*>(static_cast<AudioEffect*>(effect->object)->getEditor());
    return editor ? editor->getFrame() : nullptr;
}

// Any point in and around the 380 x 110 panel.
CPos anyPoint(FuzzedDataProvider& in)
{
    return CPos(in.ConsumeIntegralInRange<int32_t>(-20, 400), in.ConsumeIntegralInRange<int32_t>(-20, 130));
}

// The left button mostly, with any modifiers; now and then any bits at all.
int32_t anyButtons(FuzzedDataProvider& in)
{
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0)
        return in.ConsumeIntegral<int32_t>();
    return 1 | (in.ConsumeIntegralInRange<int32_t>(0, 15) << 3);
}

// A press at a point, then a drag through up to kMaxDragSteps scripted points, released at
// the end whatever the input says, so every tracking loop finishes.
void pressAndDrag(PlatformWindow* window, FuzzedDataProvider& in)
{
    ScriptedInput& input = ScriptedInput::instance();
    uint32_t time = input.now();
    const CPos start = anyPoint(in);
    input.at(time, start, anyButtons(in));
    const int steps = in.ConsumeIntegralInRange<int>(0, kMaxDragSteps);
    for (int i = 0; i < steps; ++i) {
        time += kStepMilliseconds;
        input.at(time, anyPoint(in), anyButtons(in));
    }
    input.at(time + kStepMilliseconds, start, 0);
    offscreen::pressMouse(window, start);
    input.at(input.now(), input.cursor(), 0);
}

// Up to three files of any names dropped at any point, after the frame's drops were turned on or off.
void dropFiles(CFrame& frame, FuzzedDataProvider& in)
{
    frame.enableDrop(in.ConsumeBool());
    CDropFiles files;
    const int count = in.ConsumeIntegralInRange<int>(0, 3);
    for (int i = 0; i < count; ++i)
        files.names.push_back(in.ConsumeRandomLengthString(64));
    // No view of the panel takes files, so the drop is refused either way.
    offscreen::drop(frame.getPlatformWindow(), anyPoint(in), &files);
    ++counts.drops;
}

// Any size up to twice the panel's, also none or negative, which the frame refuses.
void resize(CFrame& frame, FuzzedDataProvider& in)
{
    hostSizesWindow = in.ConsumeBool();
    counts.resizes += frame.setSize(
        in.ConsumeIntegralInRange<int32_t>(-2, 760), in.ConsumeIntegralInRange<int32_t>(-2, 220));
}

void checkReadBack(AEffect* effect)
{
    for (int32_t i = 0; i < effect->numParams; ++i)
        if (!std::isfinite(effect->getParameter(effect, i)))
            __builtin_trap();
}

void checkAudio(AEffect* effect)
{
    constexpr int32_t kFrames = 256;
    float input[kFrames], left[kFrames], right[kFrames];
    for (int32_t i = 0; i < kFrames; ++i)
        input[i] = 0.5f * std::sin(0.07f * static_cast<float>(i));
    float* inputs[] = {input};
    float* outputs[] = {left, right};
    effect->processReplacing(effect, inputs, outputs, kFrames);
    for (int32_t i = 0; i < kFrames; ++i)
        if (!std::isfinite(left[i]) || !std::isfinite(right[i]))
            __builtin_trap();
}

void editorCall(AEffect* effect, FuzzedDataProvider& in, int& opens)
{
    CFrame* const frame = panelFrame(effect);
    PlatformWindow* const window = frame ? frame->getPlatformWindow() : nullptr;
    switch (in.ConsumeIntegralInRange<int>(0, 12)) {
    case 0:
        if (opens++ < kMaxOpens)
            counts.opened
                += effect->dispatcher(effect, effEditOpen, 0, 0, offscreen::parentWindow(), 0.0f) != 0;
        break;
    case 1:
        effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
        break;
    case 2:
        effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
        break;
    case 3:
        effect->dispatcher(effect, in.ConsumeBool() ? effEditKeyDown : effEditKeyUp,
            in.ConsumeIntegral<int32_t>(), in.ConsumeIntegralInRange<intptr_t>(0, 255), nullptr,
            static_cast<float>(in.ConsumeIntegralInRange<int>(0, 15)));
        break;
    case 4:
        effect->setParameter(
            effect, in.ConsumeIntegralInRange<int32_t>(-1, 10), in.ConsumeFloatingPoint<float>());
        break;
    case 5:
        effect->dispatcher(
            effect, effSetProgram, 0, in.ConsumeIntegralInRange<intptr_t>(-1, 63), nullptr, 0.0f);
        break;
    case 6:
        if (window)
            offscreen::turnWheel(window, anyPoint(in), in.ConsumeFloatingPointInRange<float>(-5.0f, 5.0f));
        break;
    case 7: {
        static constexpr int32_t kOpcodes[]
            = {-1, audioMasterAutomate, audioMasterIdle, audioMasterBeginEdit, audioMasterEndEdit};
        closeOnOpcode = in.PickValueInArray(kOpcodes);
        break;
    }
    case 8:
        if (window) {
            const CPos from = anyPoint(in), to = anyPoint(in);
            offscreen::requestPaint(window, CBox(from.h, from.v, to.h, to.v));
        }
        break;
    case 9:
        if (window)
            dropFiles(*frame, in);
        break;
    case 10:
        if (window)
            resize(*frame, in);
        break;
    default:
        if (window) {
            pressAndDrag(window, in);
            ++counts.presses;
        }
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::atexit(reportCounts);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    ++counts.sequences;
    ScriptedInput::instance().reset();
    closeOnOpcode = -1;
    hostSizesWindow = false;
    AEffect* effect = createGrimboltEffect(fuzzHost);
    if (effect == nullptr)
        return 0;
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    int opens = 0;
    for (int32_t call = 0; call < kMaxCalls && in.remaining_bytes() > 0; ++call)
        editorCall(effect, in, opens);
    checkReadBack(effect);
    checkAudio(effect);
    // The host closes the panel first, or not: the effect must cope with both.
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    return 0;
}
