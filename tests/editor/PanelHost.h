// A host with one Grimbolt instance and its panel open on the test parent window: records
// the automation and edit gestures the plug-in sends, and walks a scripted mouse gesture
// one step per audioMasterIdle, which the editor's idle pump sends during tracking loops.
#pragma once

#include "editor/GrimboltEditor.h"
#include "gui/CButtonState.h"
#include "plugin/AudioEffect.h"
#include "plugin/vst/VstInterface.h"
#include "tests/gui/support/MouseScript.h"

#include <vector>

struct HostEvent {
    int32_t opcode;
    int32_t index;
    float value;

    bool operator==(const HostEvent& other) const
    {
        return opcode == other.opcode && index == other.index && value == other.value;
    }
};

class PanelHost {
public:
    PanelHost();
    ~PanelHost();
    PanelHost(const PanelHost&) = delete;
    PanelHost& operator=(const PanelHost&) = delete;

    intptr_t dispatch(
        int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    // As the host's automation would: through the AEffect's setParameter slot.
    void setParameter(int32_t index, float value);
    // Opens the panel and lets its first paint happen; false when it did not open.
    bool open();
    void close() { dispatch(effEditClose); }
    void idle() { dispatch(effEditIdle); }
    // Presses at the first step (panel coordinates) and walks the rest.
    void gesture(const std::vector<MouseScript::Step>& steps);
    void click(CPos where) { gesture({{where, kLButton}, {where, 0}}); }

    GrimboltEditor& editor() const;
    CFrame* frame() const { return editor().getFrame(); }
    // Automation events only.
    std::vector<HostEvent> automation() const;

    AEffect* effect;
    std::vector<HostEvent> events;  // automation, begin and end edit, in order
    // The first time the plug-in sends this opcode, the host closes the panel from inside its
    // answer, as a host does when the user shuts the window during a drag; -1: never.
    int32_t closeOnOpcode = -1;

private:
    static intptr_t VST_CALLBACK callback(
        AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float opt);

    MouseScript script_;
    static PanelHost* current;
};
