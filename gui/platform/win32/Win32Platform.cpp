// Input, clock, cursors, resources and system services on Windows.
#include "gui/CButtonState.h"
#include "gui/platform/Platform.h"
#include "gui/platform/win32/Win32Surface.h"

#include <ole2.h>

namespace {

HCURSOR defaultCursor = nullptr;
HMODULE imageLibrary = nullptr;
int imageLibraryUsers = 0;
win32::AlphaBlendFunction alphaBlendEntry = nullptr;
win32::TransparentBltFunction transparentBltEntry = nullptr;
OSVERSIONINFOA platformVersion = {};

bool held(int virtualKey)
{
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

// The system cursor for a CCursorType kind, 0 for kinds without one.
WORD systemCursorFor(int32_t kind)
{
    switch (kind) {
    case 1:
        return 32514;  // wait
    case 2:
        return 32644;  // west-east
    case 3:
        return 32645;  // north-south
    case 4:
        return 32646;  // four-way
    case 5:
        return 32643;  // north-east / south-west
    case 6:
        return 32642;  // north-west / south-east
    case 8:
        return 32648;  // not allowed
    default:
        return 0;
    }
}

}  // namespace

namespace win32 {

AlphaBlendFunction alphaBlend()
{
    return alphaBlendEntry;
}

TransparentBltFunction transparentBlt()
{
    return transparentBltEntry;
}

void replaceTransparentBlt(TransparentBltFunction entry)
{
    transparentBltEntry = entry;
}

const OSVERSIONINFOA& platformVersionRecord()
{
    return platformVersion;
}

HMODULE toolkitModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&toolkitModule), &module);
    return module;
}

}  // namespace win32

namespace platform {

CPos cursorScreenPosition()
{
    POINT where;
    if (!GetCursorPos(&where))
        return CPos();
    return CPos(where.x, where.y);
}

// The asynchronous state is the physical buttons' state; swapped buttons exchange left and right.
int32_t currentButtons()
{
    int32_t buttons = 0;
    const bool physicalLeft = held(VK_LBUTTON);
    const bool physicalRight = held(VK_RBUTTON);
    const bool swapped = win32::mouseButtonsSwapped();
    if (swapped ? physicalRight : physicalLeft)
        buttons |= kLButton;
    if (swapped ? physicalLeft : physicalRight)
        buttons |= kRButton;
    if (held(VK_MBUTTON))
        buttons |= kMButton;
    if (held(VK_SHIFT))
        buttons |= kShift;
    if (held(VK_CONTROL))
        buttons |= kControl;
    if (held(VK_MENU))
        buttons |= kAlt;
    return buttons;
}

void setCursor(int32_t kind)
{
    if (!defaultCursor)
        defaultCursor = GetCursor();
    const WORD id = systemCursorFor(kind);
    SetCursor(id ? LoadCursorA(nullptr, MAKEINTRESOURCEA(id)) : defaultCursor);
}

uint32_t doubleClickTime()
{
    return GetDoubleClickTime();
}

uint32_t tickCount()
{
    return GetTickCount();
}

void sleepMilliseconds(uint32_t milliseconds)
{
    Sleep(milliseconds);
}

ResourceBytes findResource(int32_t id)
{
    ResourceBytes bytes;
    HMODULE module = win32::toolkitModule();
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id & 0xffff), "PNG");
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    if (!loaded)
        return bytes;
    bytes.data = static_cast<const uint8_t*>(LockResource(loaded));
    bytes.size = bytes.data ? SizeofResource(module, resource) : 0;
    return bytes;
}

bool initComponentServices()
{
    return SUCCEEDED(OleInitialize(nullptr));
}

void releaseComponentServices()
{
    OleUninitialize();
}

// msimg32 is looked up at run time, so the plug-in imports only what every Windows has loaded.
void loadDrawingServices()
{
    if (imageLibraryUsers++ > 0)
        return;
    imageLibrary = LoadLibraryA("msimg32.dll");
    alphaBlendEntry = nullptr;
    transparentBltEntry = nullptr;
    if (!imageLibrary)
        return;
    alphaBlendEntry = reinterpret_cast<win32::AlphaBlendFunction>(
        reinterpret_cast<void*>(GetProcAddress(imageLibrary, "AlphaBlend")));
    // Windows 9x's TransparentBlt leaks memory on every call; there keyed images are drawn
    // through a mask made by hand.
    platformVersion = {};
    platformVersion.dwOSVersionInfoSize = sizeof(platformVersion);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool known = GetVersionExA(&platformVersion) != 0;
#pragma GCC diagnostic pop
    if (known && platformVersion.dwPlatformId > VER_PLATFORM_WIN32_WINDOWS)
        transparentBltEntry = reinterpret_cast<win32::TransparentBltFunction>(
            reinterpret_cast<void*>(GetProcAddress(imageLibrary, "TransparentBlt")));
}

void unloadDrawingServices()
{
    if (imageLibraryUsers == 0 || --imageLibraryUsers > 0)
        return;
    alphaBlendEntry = nullptr;
    transparentBltEntry = nullptr;
    if (imageLibrary)
        FreeLibrary(imageLibrary);
    imageLibrary = nullptr;
}

}  // namespace platform
