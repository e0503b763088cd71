// The host's editor window for frames in tests and tools: a real top-level window on
// Windows, a stand-in on the offscreen platform.
#pragma once

#include <cstdint>

class TestParentWindow {
public:
    TestParentWindow(int32_t width, int32_t height);
    ~TestParentWindow();
    TestParentWindow(const TestParentWindow&) = delete;
    TestParentWindow& operator=(const TestParentWindow&) = delete;

    void* handle() const { return handle_; }
    // One window for a whole test program, never destroyed: under wine without a window
    // manager, hiding or destroying a top-level window waits two seconds for the X server.
    static TestParentWindow& shared();

private:
    void* handle_;
};
