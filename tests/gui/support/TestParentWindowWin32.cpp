#include "tests/gui/support/TestParentWindow.h"

#include <windows.h>

namespace {
const char* const kClassName = "GrimboltTestParent";
}

TestParentWindow::TestParentWindow(int32_t width, int32_t height)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    handle_ = CreateWindowExA(0, kClassName, "test parent", WS_POPUP | WS_VISIBLE, 40, 30, width, height,
        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TestParentWindow::~TestParentWindow()
{
    if (handle_)
        DestroyWindow(static_cast<HWND>(handle_));
}

TestParentWindow& TestParentWindow::shared()
{
    static auto* window = new TestParentWindow(200, 150);
    return *window;
}
