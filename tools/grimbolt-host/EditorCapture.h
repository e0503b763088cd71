// What a plug-in's editor shows, as a host sees it: natively through the plug-in's editor
// snapshot request (drawn without a window), on Windows from a real window on the screen.
#pragma once

#include "tools/hostkit/PluginInstance.h"

#include <cstdint>
#include <vector>

struct EditorPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // 0x..RRGGBB, top row first
};

// The editor's picture (on Windows: opened, given idle time to draw, read and closed);
// throws HostError when the plug-in has no editor or it cannot be read.
EditorPicture captureEditor(PluginInstance& plugin);
