// The Windows platform's drawing target and image, shared by its drawing and window sides:
// a device context with the GDI objects selected into it, and a 32-bit DIB section.
#pragma once

#include "gui/platform/DrawingBackend.h"

#include <windows.h>

struct NativeSurface {
    enum class Kind {
        window,     // from GetDC, released to the window
        paint,      // from BeginPaint, ended by the window procedure
        offscreen,  // a memory DC with a bitmap of its own
    };
    NativeSurface(Kind surfaceKind, HDC deviceContext, HWND ownerWindow);

    Kind kind;
    HDC dc;
    HWND window;
    HBITMAP bitmap = nullptr;  // offscreen only
    HGDIOBJ oldBitmap = nullptr;
    // What was selected before, put back when the surface goes.
    HGDIOBJ oldPen;
    HGDIOBJ oldBrush;
    HGDIOBJ oldFont;
    // Ours, replaced only when the colour, pen or font changes.
    HPEN pen = nullptr;
    COLORREF penColour = 0;
    int penStyle = PS_SOLID;
    int penWidth = 1;
    HBRUSH brush = nullptr;
    COLORREF brushColour = 0;
    HFONT font = nullptr;
    FontSpec fontSpec;
};

struct NativeImage {
    HBITMAP dib;  // a 32-bit DIB section, or the device-dependent bitmap of a bitmap resource
    int32_t width;
    int32_t height;
    HBITMAP mask = nullptr;  // monochrome, white where a keyed copy keeps the destination
};

namespace win32 {

// Puts back what the surface found selected and deletes its own objects; the device context
// itself stays its owner's.
void releaseSurfaceObjects(NativeSurface& surface);
// msimg32's AlphaBlend while the drawing services are loaded, else null.
using AlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
AlphaBlendFunction alphaBlend();
// msimg32's TransparentBlt while the drawing services are loaded on the NT family, else null.
using TransparentBltFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
TransparentBltFunction transparentBlt();
// Puts entry in TransparentBlt's place until the drawing services next load or unload, so
// that the keyed copy made by hand, Windows 9x's, can be checked on the NT family too.
void replaceTransparentBlt(TransparentBltFunction entry);
// The system's version as read when msimg32 was loaded (all zero before).
const OSVERSIONINFOA& platformVersionRecord();
// The module (DLL or program) that contains the toolkit: its resources and window class.
HMODULE toolkitModule();
// Read when the window class is registered.
bool mouseButtonsSwapped();

}  // namespace win32
