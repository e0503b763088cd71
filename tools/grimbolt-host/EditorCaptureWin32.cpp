// On Windows the editor opens in a real top-level window; the picture is read from the
// editor's window on the screen once it has been painted.
#include "tools/grimbolt-host/EditorCapture.h"

#include "tools/grimbolt-host/EditorWindow.h"
#include "tools/hostkit/HostError.h"

#include <windows.h>

namespace {

// Long enough for the first paint and a few idle passes; the panel needs far less.
constexpr int kSettleRounds = 20;
constexpr DWORD kSettleStepMs = 10;

// The pixels of window's client area, as the screen shows them.
std::vector<uint32_t> readWindow(HWND window, int32_t width, int32_t height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (bitmap && memory) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY)) {
            GdiFlush();
            const auto* source = static_cast<const uint32_t*>(bits);
            pixels.assign(source, source + static_cast<size_t>(width) * height);
        }
        SelectObject(memory, old);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}

}  // namespace

EditorPicture captureEditor(PluginInstance& plugin)
{
    const auto [width, height] = plugin.editorSize();

    EditorWindow window(width, height, "grimbolt-host editor");
    const auto host = static_cast<HWND>(window.parentHandle());
    if (plugin.dispatch(effEditOpen, 0, 0, host) == 0)
        throw HostError("the plug-in's editor did not open");
    for (int round = 0; round < kSettleRounds; ++round) {
        window.handleMessages();
        plugin.dispatch(effEditIdle);
        Sleep(kSettleStepMs);
    }
    HWND editorWindow = GetWindow(host, GW_CHILD);
    EditorPicture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels = readWindow(editorWindow ? editorWindow : host, width, height);
    plugin.dispatch(effEditClose);
    window.handleMessages();
    if (picture.pixels.empty())
        throw HostError("cannot read the editor's window");
    return picture;
}
