// A host for the bundle's UI module: loads it, instantiates the UI into a parent window with
// the features a host offers (parent, resize, touch), idles it, sends port events, and
// records what the UI writes and touches.
#pragma once

#include <lv2/ui/ui.h>

#include <cstdint>
#include <vector>

struct UiMessage {
    enum Kind { kWrite, kGrab, kRelease } kind;
    uint32_t port;
    float value;  // the written value; 0 for gestures
};

class UiTestHost {
public:
    UiTestHost();
    ~UiTestHost();
    UiTestHost(const UiTestHost&) = delete;
    UiTestHost& operator=(const UiTestHost&) = delete;

    // False when the UI did not instantiate.
    bool instantiate(unsigned long parent);
    void cleanup();
    int idle();
    void portEvent(uint32_t port, float value);

    unsigned long widget() const { return reinterpret_cast<unsigned long>(widget_); }
    int requestedWidth = 0;
    int requestedHeight = 0;
    std::vector<UiMessage> messages;

private:
    static void write(
        LV2UI_Controller host, uint32_t port, uint32_t size, uint32_t format, const void* buffer);
    static void touch(LV2UI_Feature_Handle host, uint32_t port, bool grabbed);
    static int resize(LV2UI_Feature_Handle host, int width, int height);

    void* library_;
    const LV2UI_Descriptor* descriptor_ = nullptr;
    LV2UI_Handle handle_ = nullptr;
    LV2UI_Widget widget_ = nullptr;
    LV2UI_Touch touch_;
    LV2UI_Resize resize_;
};
