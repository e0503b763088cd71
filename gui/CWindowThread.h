// What the thread that owns the editor windows needs from the system besides its frames: the
// clock and the sleep an idle pump throttles itself with, the paint pump, and the per-thread
// component services behind file drops. An editor reaches the platform through these alone.
#pragma once

#include <cstdint>

class CWindowThread {
public:
    CWindowThread() = delete;

    // Milliseconds; wraps around after 2^32.
    static uint32_t tickCount();
    static void sleepMilliseconds(uint32_t milliseconds);
    // Handles one paint request waiting for a window of this thread; false when none waited.
    static bool dispatchOnePendingPaint();
    // Counted: every successful init needs a release.
    static bool initComponentServices();
    static void releaseComponentServices();
};
