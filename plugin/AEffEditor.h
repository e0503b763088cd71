// The editor as the host and the effect see it: size, open/close into a host window,
// idle time, keys and knob mode, plus the effect's parameter notifications. These are the
// defaults of a window-less editor; the GUI editor overrides what needs a frame.
// Every operation runs on the thread that owns the editor window, except setParameter,
// which the effect may call from any thread (the reaction must stay a plain store).
#pragma once

#include "plugin/vst/VstInterface.h"

#include <atomic>
#include <cstdint>

class AudioEffect;

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect);
    virtual ~AEffEditor();
    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    // Writes the address of the editor's size record into *rect; 0 when there is none.
    virtual int32_t getRect(ERect** rect);
    // window is the host's parent window; the result is the host's answer to effEditOpen.
    virtual int32_t open(void* window);
    virtual void close();
    // Host idle time: redraws (update) only when something posted an update since.
    virtual void idle();
    virtual void update();
    virtual void postUpdate();
    // -1: key not handled, the host may use it.
    virtual int32_t onKeyDown(VstKeyCode& keyCode);
    virtual int32_t onKeyUp(VstKeyCode& keyCode);
    virtual int32_t setKnobMode(int32_t mode);
    virtual bool onWheel(float distance);
    // The effect's notification after every parameter change; tag is the control tag.
    // May be called from any thread, window open or not.
    virtual void setParameter(int32_t tag, float value);

protected:
    AudioEffect* effect_;                 // the owner; not owned here
    void* systemWindow_;                  // the host's parent window given to open, null before
    std::atomic<int32_t> updatePending_;  // set by postUpdate from any thread, cleared by idle
};
