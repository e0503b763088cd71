#include "gui/platform/win32/CDropTarget.h"

#include "gui/CDropFiles.h"
#include "gui/platform/Platform.h"

#include <shellapi.h>

#include <string>

namespace {

FORMATETC fileListFormat()
{
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return format;
}

bool carriesFiles(IDataObject* data)
{
    FORMATETC format = fileListFormat();
    return data && data->QueryGetData(&format) == S_OK;
}

bool readFiles(IDataObject* data, CDropFiles& files)
{
    FORMATETC format = fileListFormat();
    STGMEDIUM medium = {};
    if (!data || data->GetData(&format, &medium) != S_OK)
        return false;
    if (auto* drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
        const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            std::string name(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
            name.resize(DragQueryFileA(drop, i, &name[0], static_cast<UINT>(name.size())));
            files.names.push_back(name);
        }
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return !files.names.empty();
}

}  // namespace

CDropTarget::CDropTarget(WindowEventHandler& handler, HWND window)
    : handler_(handler)
    , window_(window)
{
}

DWORD CDropTarget::answer() const
{
    return accepted_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT STDMETHODCALLTYPE CDropTarget::QueryInterface(REFIID iid, void** object)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CDropTarget::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE CDropTarget::Release()
{
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    accepted_ = handler_.wantsDrops() && carriesFiles(data);
    *effect = answer();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragOver(DWORD, POINTL, DWORD* effect)
{
    *effect = answer();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragLeave()
{
    accepted_ = false;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::Drop(IDataObject* data, DWORD, POINTL where, DWORD* effect)
{
    *effect = DROPEFFECT_NONE;
    const bool wanted = accepted_ && handler_.wantsDrops();
    accepted_ = false;
    CDropFiles files;
    if (!wanted || !readFiles(data, files))
        return S_OK;
    POINT point = {where.x, where.y};
    ScreenToClient(window_, &point);
    if (handler_.onWindowDrop(CPos(point.x, point.y), &files))
        *effect = DROPEFFECT_COPY;
    return S_OK;
}
