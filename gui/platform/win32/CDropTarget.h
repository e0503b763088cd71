// The OLE drop target registered on every frame window. It takes dragged files while the
// window's handler wants drops, and hands their names (a CDropFiles) to the handler with
// the point in window coordinates; anything else is answered with "no drop".
#pragma once

#include <windows.h>
#include <ole2.h>

class WindowEventHandler;

// COM objects are destroyed by their own Release, never through an interface pointer, so
// the interface's non-virtual destructor is harmless here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class CDropTarget final : public IDropTarget {
public:
    // window: the window the target is registered on, for its coordinates.
    CDropTarget(WindowEventHandler& handler, HWND window);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL where, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL where, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL where, DWORD* effect) override;

private:
    DWORD answer() const;

    WindowEventHandler& handler_;
    HWND window_;
    bool accepted_ = false;  // the drag in progress carries files the handler wants
    LONG references_ = 1;
};
#pragma GCC diagnostic pop
