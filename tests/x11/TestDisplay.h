// The test's own connection to the X server the plug-in draws on: parent windows as a host
// makes them, the pointer and buttons moved through XTest, and windows read back.
#pragma once

#include "gui/CPos.h"

#include <cstdint>
#include <vector>

// Xlib's own names, without its header's macros (which clash with googletest's).
struct _XDisplay;
using Window = unsigned long;

class TestDisplay {
public:
    // Connects to $DISPLAY; isOpen() tells whether that worked.
    TestDisplay();
    ~TestDisplay();
    TestDisplay(const TestDisplay&) = delete;
    TestDisplay& operator=(const TestDisplay&) = delete;

    bool isOpen() const { return display_ != nullptr; }
    _XDisplay* display() const { return display_; }

    // A mapped top-level window at origin (root coordinates), placed there without a window
    // manager's say.
    Window createParent(CPos origin, int32_t width, int32_t height);
    void destroy(Window window);
    // The first child the plug-in made in parent; 0 when there is none.
    Window childOf(Window parent);
    // width x height pixels of window from (0, 0), 0x00RRGGBB; empty when unreadable.
    std::vector<uint32_t> read(Window window, int32_t width, int32_t height);

    void movePointer(CPos root);
    void setButton(unsigned button, bool down);

private:
    _XDisplay* display_;
};

// What the plug-in should show, side by side with what a window shows: equal in colour.
bool samePicture(const std::vector<uint32_t>& shown, const std::vector<uint32_t>& expected);
