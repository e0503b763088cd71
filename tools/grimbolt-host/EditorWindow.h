// A top-level window of the editor's size for a plug-in's editor to open into, as a host
// makes one: X11 natively, Win32 in the Windows build.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class EditorWindow {
public:
    // Shown at once; throws HostError when no window can be made (natively: no display).
    EditorWindow(int32_t width, int32_t height, const std::string& title);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // What effEditOpen takes: the window's handle or X window id.
    void* parentHandle() const;
    // Handles what the window system has for this window; false once the user closed it.
    bool handleMessages();

private:
    struct Native;
    std::unique_ptr<Native> native_;
};
