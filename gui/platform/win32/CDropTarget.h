// The OLE drop target registered on every frame window. No view of this program takes files,
// so it answers every drag with "no drop" and ignores drops.
#pragma once

#include <windows.h>
#include <ole2.h>

// COM objects are destroyed by their own Release, never through an interface pointer, so
// the interface's non-virtual destructor is harmless here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class CDropTarget final : public IDropTarget {
public:
    CDropTarget() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL where, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL where, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL where, DWORD* effect) override;

private:
    LONG references_ = 1;
};
#pragma GCC diagnostic pop
