// What a plug-in's editor shows, as a host sees it: natively through the plug-in's editor
// snapshot request (its window is offscreen), on Windows from a real window on the screen.
#pragma once

#include "tools/hostkit/PluginInstance.h"

#include <cstdint>
#include <vector>

struct EditorPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // 0x..RRGGBB, top row first
};

// Opens the editor, gives it idle time to draw, takes the picture and closes the editor;
// throws HostError when the plug-in has no editor or it cannot be read.
EditorPicture captureEditor(PluginInstance& plugin);
