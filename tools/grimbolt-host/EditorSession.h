// The plug-in's editor open in a window of its own, as `edit` and `live` show it: the window
// is made at the editor's size, effEditOpen goes to the plug-in, every parameter change the
// plug-in reports is told as one line, and idle() gives the editor its time. On the main
// thread only; the window and the editor close with the session.
#pragma once

#include "tools/hostkit/HostCallback.h"
#include "tools/hostkit/PluginInstance.h"

#include <functional>
#include <memory>
#include <string>

class EditorWindow;

// "name = value (display label)": a parameter's value and the plug-in's display of it now.
std::string describeParameter(const PluginInstance& plugin, int32_t index, float value);

class EditorSession {
public:
    // Told each line to print; may be called from within idle().
    using LineReport = std::function<void(const std::string&)>;

    // Throws HostError when there is no window (no display) or the editor does not open.
    EditorSession(PluginInstance& plugin, HostCallback& host, LineReport report);
    // effEditClose, then the window goes.
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // Handles the window's messages and gives the editor its idle time; false once the user
    // closed the window (the editor is then not idled).
    bool idle();

    // How often idle() should be called: about 30 times a second.
    static constexpr int kIdleIntervalMilliseconds = 33;

private:
    PluginInstance& plugin_;
    HostCallback& host_;
    std::unique_ptr<EditorWindow> window_;
};
