// The frame's window among the host's windows: a new size carries up the parents that wrap
// it when the host cannot size its editor window, and text-entry controls take the colours
// of the display that is the current view.
#include "gui/CFrame.h"
#include "gui/CParamDisplay.h"
#include "tests/gui/support/ScriptedEditor.h"
#include "tests/gui/support/TestParentWindow.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

struct Size {
    int32_t width;
    int32_t height;
    bool operator==(const Size& other) const { return width == other.width && height == other.height; }
};

std::ostream& operator<<(std::ostream& out, const Size& size)
{
    return out << size.width << " x " << size.height;
}

Size sizeOf(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

Size grown(Size size, int32_t width, int32_t height)
{
    return {size.width + width, size.height + height};
}

// A captioned top-level window standing in for the host's plug-in window, made once: under
// wine without a window manager, destroying a top-level window waits for the X server.
HWND hostTopLevel()
{
    static HWND window = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "GrimboltTestHostWindow";
        RegisterClassA(&windowClass);
        return CreateWindowExA(0, windowClass.lpszClassName, "host", WS_POPUP | WS_CAPTION | WS_VISIBLE, 50,
            40, 100, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    }();
    return window;
}

HWND childWindow(const char* className, HWND parent, DWORD style, int32_t width, int32_t height)
{
    CLIENTCREATESTRUCT mdi = {nullptr, 1};
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, width, height, parent,
        nullptr, GetModuleHandleA(nullptr), &mdi);
}

// The outer size a window needs to show a client area of width x height.
Size outerFor(HWND window, int32_t width, int32_t height)
{
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
        static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    return {rect.right - rect.left, rect.bottom - rect.top};
}

HWND frameWindowIn(HWND parent)
{
    return FindWindowExA(parent, nullptr, nullptr, "Window");
}

}  // namespace

TEST(Win32FrameWindow, ANewSizeGrowsTheWrappingParentsUnlessTheHostSizesItsWindow)
{
    const HWND outer = hostTopLevel();
    ASSERT_NE(outer, nullptr);
    // hostSizes: the host's answer to "sizeWindow". hostClient: the top level's client area
    // in excess of the wrapper, which makes it the host's own window beyond 80 pixels.
    // mdi: the wrapper sits in an MDI client area, which only the host arranges. The
    // wrapper's border is one pixel around the frame; the top level fits the wrapper.
    struct Case {
        const char* what;
        bool hostSizes;
        int32_t hostClient;
        bool mdi;
        bool wrapperGrows;
        bool outerGrows;
    };
    const Case cases[] = {
        {"a host that refuses", false, 0, false, true, true},
        {"a host that sizes its window", true, 0, false, false, false},
        {"the host's own window around the wrapper", false, 120, false, true, false},
        {"an MDI client area", false, 0, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HWND mdiClient = nullptr;
        HWND wrapperParent = outer;
        const Size outerStart = outerFor(outer, 62 + c.hostClient, 42 + c.hostClient);
        SetWindowPos(outer, nullptr, 0, 0, outerStart.width, outerStart.height,
            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (c.mdi) {
            mdiClient = childWindow("MDIClient", outer, 0, 62, 42);
            ASSERT_NE(mdiClient, nullptr);
            wrapperParent = mdiClient;
        }
        const HWND wrapper = childWindow("Static", wrapperParent, WS_BORDER, 62, 42);
        ASSERT_NE(wrapper, nullptr);
        const Size wrapperStart = sizeOf(wrapper);
        ScriptedEditor editor;
        editor.hostSizesWindow = c.hostSizes;
        auto* frame = new CFrame(CBox(0, 0, 60, 40), wrapper, &editor);
        const HWND window = frameWindowIn(wrapper);
        ASSERT_NE(window, nullptr);

        ASSERT_TRUE(frame->setSize(100, 70));
        EXPECT_EQ(sizeOf(window), (Size{100, 70}));
        EXPECT_EQ(sizeOf(wrapper), c.wrapperGrows ? grown(wrapperStart, 40, 30) : wrapperStart);
        EXPECT_EQ(sizeOf(outer), c.outerGrows ? grown(outerStart, 40, 30) : outerStart);

        frame->release();
        DestroyWindow(wrapper);
        if (mdiClient)
            DestroyWindow(mdiClient);
    }
}

TEST(Win32FrameWindow, TextEntryControlsTakeTheColoursOfTheCurrentDisplay)
{
    const auto parent = static_cast<HWND>(TestParentWindow::shared().handle());
    auto* frame = new CFrame(CBox(0, 0, 60, 40), parent, nullptr);
    const HWND window = frameWindowIn(parent);
    ASSERT_NE(window, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    const auto askColours = [&] {
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageA(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), 0));
        LOGBRUSH logBrush = {};
        EXPECT_TRUE(GetObjectA(brush, sizeof logBrush, &logBrush));
        return logBrush.lbColor;
    };

    auto* display = new CParamDisplay(CBox(0, 0, 60, 40));
    display->setFontColor(CRgba{10, 20, 30, 255});
    for (const CRgba box : {CRgba{200, 150, 100, 255}, CRgba{1, 2, 3, 255}}) {
        display->setBoxColor(box);
        ASSERT_TRUE(frame->setModalView(display) || frame->getModalView() == display);
        EXPECT_EQ(askColours(), RGB(box.red, box.green, box.blue));
        EXPECT_EQ(GetTextColor(dc), RGB(10, 20, 30));
        EXPECT_EQ(GetBkColor(dc), RGB(box.red, box.green, box.blue));
    }
    frame->setModalView(nullptr);
    EXPECT_EQ(askColours(), GetSysColor(COLOR_WINDOW)) << "no display: the system's colours";

    DeleteDC(dc);
    frame->release();
}
