// The editor base of a plug-in with a toolkit panel: reports the panel's size to the host,
// hands the host's idle time and keys to the frame, and keeps the window painted and the
// host idle during mouse-tracking loops (doIdleStuff). A subclass builds the frame in open
// and destroys it in close. Everything runs on the thread that owns the editor window,
// except setParameter (a plain store).
#pragma once

#include "gui/CEditor.h"
#include "plugin/AEffEditor.h"

#include <cstdint>

class CFrame;

class AEffGUIEditor : public AEffEditor, public CEditor {
public:
    // Attaches itself to effect (which then owns it) and takes the component services that
    // file drops need on this thread.
    explicit AEffGUIEditor(AudioEffect* effect);
    // The frame must already be gone (the subclass's close destroys it).
    ~AEffGUIEditor() override;

    // The panel's size record, valid as long as the editor; answers 1.
    int32_t getRect(ERect** rect) override;
    // Requests an update and keeps window; the subclass then builds its frame.
    int32_t open(void* window) override;
    // Does nothing while doIdleStuff is inside the host's idle; otherwise updates and lets
    // the frame redraw what is dirty.
    void idle() override;
    // -1 without a frame.
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;
    // Stores the process-wide knob mode; answers 1.
    int32_t setKnobMode(int32_t mode) override;
    // At the mouse position now; false without a frame.
    bool onWheel(float distance) override;
    void setParameter(int32_t tag, float value) override;

    // Redraws rect of the frame onto the window at once; null: the whole frame.
    virtual void draw(ERect* rect);

    // The idle pump for tracking loops: at most one pass per 50 ms or so, each pass running
    // idle, one pending paint and the host's idle; calls in between sleep 4 ms.
    void doIdleStuff() override;
    bool beginEdit(int32_t index) override;
    bool endEdit(int32_t index) override;
    int32_t getKnobMode() const override { return knobMode; }
    // Through the host's "sizeWindow", when the effect is a VST 2 one and the host can do it.
    bool sizeWindow(int32_t width, int32_t height) override;

    CFrame* getFrame() const { return frame_; }

protected:
    ERect rect_;             // the panel's size; all 0 until the subclass sets it
    CFrame* frame_;          // between open and close only
    uint32_t nextIdleTime_;  // tick before which doIdleStuff only sleeps
    bool inIdle_;            // inside the host's idle, called from doIdleStuff

private:
    static int32_t knobMode;  // shared by every editor of the process
    bool componentServices_;  // this editor holds a count of them
};
