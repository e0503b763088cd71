// The editor's window on Windows: a captioned window with a close button, not resizable.
#include "tools/grimbolt-host/EditorWindow.h"

#include "tools/hostkit/HostError.h"

#include <windows.h>

namespace {

const char* const kWindowClass = "GrimboltHostEditorWindow";

}  // namespace

struct EditorWindow::Native {
    HWND handle = nullptr;
    bool closed = false;

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* native = reinterpret_cast<Native*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_CLOSE && native) {
            native->closed = true;
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

EditorWindow::EditorWindow(int32_t width, int32_t height, const std::string& title)
    : native_(std::make_unique<Native>())
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &Native::procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    RECT frame = {0, 0, width, height};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE;
    AdjustWindowRect(&frame, style, FALSE);
    native_->handle = CreateWindowA(kWindowClass, title.c_str(), style, 40, 40, frame.right - frame.left,
        frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!native_->handle)
        throw HostError("cannot open a window for the editor");
    SetWindowLongPtrA(native_->handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(native_.get()));
}

EditorWindow::~EditorWindow()
{
    DestroyWindow(native_->handle);
    UnregisterClassA(kWindowClass, GetModuleHandleA(nullptr));
}

void* EditorWindow::parentHandle() const
{
    return native_->handle;
}

bool EditorWindow::handleMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return !native_->closed;
}
