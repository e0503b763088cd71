// A host with one Grimbolt instance whose panel opens into an X11 window: records the
// automation and edit gestures the plug-in sends, and runs the test's next input step at
// each audioMasterIdle, which the editor's idle pump sends during tracking loops.
#pragma once

#include "plugin/vst/VstInterface.h"

#include <cstdint>
#include <functional>
#include <vector>

struct HostEvent {
    int32_t opcode;
    int32_t index;
    float value;
};

class X11PanelHost {
public:
    static constexpr int32_t kWidth = 380;
    static constexpr int32_t kHeight = 110;

    X11PanelHost();
    ~X11PanelHost();
    X11PanelHost(const X11PanelHost&) = delete;
    X11PanelHost& operator=(const X11PanelHost&) = delete;

    AEffect* effect() const { return effect_; }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr);
    void setParameter(int32_t index, float value) { effect_->setParameter(effect_, index, value); }
    float parameter(int32_t index) const { return effect_->getParameter(effect_, index); }
    // effEditOpen's answer for an X window id.
    intptr_t open(unsigned long window);
    void idle() { dispatch(effEditIdle); }
    void close() { dispatch(effEditClose); }
    // What the panel shows, through the snapshot request; empty when it did not answer.
    std::vector<uint32_t> snapshot();
    // Idles until shown() equals the snapshot or about two seconds passed; true when it did.
    bool idleUntilShowing(const std::function<std::vector<uint32_t>()>& shown);

    // Run one at each audioMasterIdle, in order; later idles run nothing.
    void onIdles(std::vector<std::function<void()>> steps);

    std::vector<HostEvent> events;  // automation, begin and end edit, in order

private:
    static intptr_t VST_CALLBACK callback(
        AEffect* effect, int32_t opcode, int32_t index, intptr_t, void*, float opt);

    AEffect* effect_;
    std::vector<std::function<void()>> steps_;
    size_t nextStep_ = 0;
};
