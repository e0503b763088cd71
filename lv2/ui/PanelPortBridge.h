// What the panel takes for its effect inside the LV2 UI module: it holds the knob positions
// the host's ports show, and turns the panel's edits into port writes and touch gestures, as
// the VST 2 plug-in turns them into automation and beginEdit/endEdit. Everything runs on the
// UI thread.
#pragma once

#include "plugin/AudioEffectX.h"
#include "plugin/Parameters.h"

#include <lv2/ui/ui.h>

class PanelPortBridge : public AudioEffectX {
public:
    // touch may be null: a host without gestures gets only the writes.
    PanelPortBridge(LV2UI_Write_Function write, LV2UI_Controller controller, const LV2UI_Touch* touch);

    // A knob position from the panel or the host; tells the panel.
    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    // A port value the host reports; non-finite values and other ports are ignored.
    void showPortValue(uint32_t port, float value);

private:
    static intptr_t VST_CALLBACK fromPanel(
        AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
    void writePort(int32_t index, float normalised) const;
    void touch(int32_t index, bool grabbed) const;

    LV2UI_Write_Function write_;
    LV2UI_Controller controller_;
    const LV2UI_Touch* touch_;
    float values_[kNumParams];
};
