// The offscreen platform's windows, as tests and tools drive them: a window is a pixel map
// in memory; paints, presses and wheel turns happen when the caller says so.
#pragma once

#include "gui/CBox.h"
#include "gui/platform/Platform.h"
#include "gui/platform/software/PixelMap.h"

#include <cstdint>

namespace offscreen {

// Stands in for the host's parent window: any non-null pointer makes a window.
void* parentWindow();
// What the window shows.
const PixelMap& windowPixels(const PlatformWindow* window);
void setScreenOrigin(PlatformWindow* window, CPos origin);
// As an exposure would: area waits to be painted by platform::dispatchOnePendingPaint.
void requestPaint(PlatformWindow* window, const CBox& area);
// As a button-down message would (ScriptedInput says which buttons are held).
void pressMouse(PlatformWindow* window, CPos where);
void turnWheel(PlatformWindow* window, CPos where, float distance);
// As a drop target would when something is dropped at where; true when it was taken.
bool drop(PlatformWindow* window, CPos where, void* drag);
int32_t openWindowCount();
// The kind last given to platform::setCursor (0 once restored).
int32_t currentCursor();

}  // namespace offscreen
