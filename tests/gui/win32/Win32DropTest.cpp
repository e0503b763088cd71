// Files dropped on a frame's window: the drop target reads the names from the drag data and
// hands them, at the point in window coordinates, to the view under it, only while the
// frame takes drops.
#include "gui/CDropFiles.h"
#include "gui/CFrame.h"
#include "gui/platform/Platform.h"
#include "gui/platform/win32/CDropTarget.h"
#include "tests/gui/support/DropView.h"
#include "tests/gui/support/TestParentWindow.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Drag data that carries a file list (CF_HDROP) as Explorer gives it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FileListData final : public IDataObject {
public:
    explicit FileListData(const std::vector<std::string>& names)
    {
        std::string list;
        for (const std::string& name : names)
            list += name + '\0';
        list += '\0';
        global_ = GlobalAlloc(GMEM_MOVEABLE, sizeof(DROPFILES) + list.size());
        auto* files = static_cast<DROPFILES*>(GlobalLock(global_));
        std::memset(files, 0, sizeof(DROPFILES));
        files->pFiles = sizeof(DROPFILES);
        std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), list.data(), list.size());
        GlobalUnlock(global_);
    }
    ~FileListData() { GlobalFree(global_); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        // The receiver frees what it gets: hand it a copy.
        const SIZE_T size = GlobalSize(global_);
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(copy), GlobalLock(global_), size);
        GlobalUnlock(copy);
        GlobalUnlock(global_);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        return format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    HGLOBAL global_;
};
// A source whose drag goes on for a few of the system's checks, then drops where the cursor is.
class DropAfterAWhile final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override
    {
        return ++checks < 4 ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

    int checks = 0;
};

#pragma GCC diagnostic pop

// A window's owner that records what the drop target hands it.
class DropRecorder : public WindowEventHandler {
public:
    void onWindowPaint(NativeSurface*, const CBox&) override { }
    void onWindowMouseDown(CPos, int32_t) override { }
    void onWindowWheel(CPos, float) override { }
    void onWindowDestroyed() override { }
    bool wantsDrops() const override { return wanted; }
    bool onWindowDrop(CPos where, void* drag) override
    {
        names = static_cast<CDropFiles*>(drag)->names;
        at = where;
        return true;
    }

    bool wanted = false;
    std::vector<std::string> names;
    CPos at{-1, -1};
};

}  // namespace

TEST(Win32Drop, FilesReachTheWindowsOwnerAtTheWindowPointOnlyWhileItWantsDrops)
{
    const auto window = static_cast<HWND>(TestParentWindow::shared().handle());
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const std::vector<std::string> dropped = {"C:\\amps\\crunch.fxp", "D:\\ir.wav"};
    struct Case {
        bool wanted;
        DWORD effect;
        size_t names;
    };
    for (const Case c : {Case{false, DROPEFFECT_NONE, 0}, Case{true, DROPEFFECT_COPY, 2}}) {
        DropRecorder recorder;
        recorder.wanted = c.wanted;
        auto* target = new CDropTarget(recorder, window);
        FileListData data(dropped);
        const POINTL where = {origin.x + 12, origin.y + 7};
        DWORD effect = DROPEFFECT_COPY;
        target->DragEnter(&data, 0, where, &effect);
        EXPECT_EQ(effect, c.effect);
        effect = DROPEFFECT_COPY;
        target->DragOver(0, where, &effect);
        EXPECT_EQ(effect, c.effect);
        effect = DROPEFFECT_COPY;
        target->Drop(&data, 0, where, &effect);
        EXPECT_EQ(effect, c.effect);
        ASSERT_EQ(recorder.names.size(), c.names);
        if (c.wanted) {
            EXPECT_EQ(recorder.names, dropped);
            EXPECT_EQ(recorder.at, CPos(12, 7));
        }
        target->Release();
    }
}

TEST(Win32Drop, AFileDragFromAnotherWindowReachesTheViewUnderTheCursorThroughTheFramesTarget)
{
    const auto parent = static_cast<HWND>(TestParentWindow::shared().handle());
    auto* frame = new CFrame(CBox(0, 0, 60, 40), parent, nullptr);
    auto* view = new DropView(CBox(10, 5, 50, 35));
    frame->addView(view);
    frame->enableDrop(true);
    POINT cursor = {22, 17};
    ClientToScreen(parent, &cursor);
    SetCursorPos(cursor.x, cursor.y);
    const std::vector<std::string> dropped = {"C:\\amps\\crunch.fxp", "D:\\ir.wav"};
    FileListData data(dropped);
    DropAfterAWhile source;
    DWORD effect = DROPEFFECT_NONE;
    EXPECT_EQ(DoDragDrop(&data, &source, DROPEFFECT_COPY, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(view->names, dropped);
    EXPECT_EQ(view->at, CPos(22, 17));
    frame->release();
}
