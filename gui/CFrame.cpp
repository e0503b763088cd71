#include "gui/CFrame.h"

#include "gui/CBackBuffer.h"
#include "gui/CEditor.h"

#include <cstdio>
#include <cstring>
#include <new>

CFrame::CFrame(const CBox& size, void* parentWindow, CEditor* editor)
    : CViewContainer(size, this)
    , editor_(editor)
{
    componentServices_ = platform::initComponentServices();
    platform::loadDrawingServices();
    window_ = platform::createWindow(parentWindow, size.width(), size.height(), *this);
}

CFrame::~CFrame()
{
    setModalView(nullptr);
    platform::setCursor(kCursorDefault);
    releaseBackBuffer();
    closeHostWindow();
    platform::destroyWindow(window_);
    window_ = nullptr;
    platform::unloadDrawingServices();
    if (componentServices_)
        platform::releaseComponentServices();
    removeAll(true);
}

bool CFrame::openInHostWindow(const char* title)
{
    if (window_ || !editor_)
        return false;
    std::unique_ptr<HostWindowRecord> record(new (std::nothrow) HostWindowRecord);
    if (!record)
        return false;
    std::snprintf(record->title, sizeof record->title, "%s", title ? title : "");
    record->width = getWidth();
    record->height = getHeight();
    if (!editor_->openHostWindow(*record))
        return false;
    window_ = platform::createWindow(record->window, getWidth(), getHeight(), *this);
    if (!window_) {
        editor_->closeHostWindow(*record);
        return false;
    }
    hostWindow_ = std::move(record);
    alive_ = true;
    notYetPainted_ = true;
    return true;
}

bool CFrame::closeHostWindow()
{
    if (!hostWindow_)
        return false;
    releaseBackBuffer();
    platform::destroyWindow(window_);
    window_ = nullptr;
    editor_->closeHostWindow(*hostWindow_);
    hostWindow_.reset();
    return true;
}

void CFrame::idle()
{
    // The host may close the editor from a callback of a press dispatched here; the frame
    // and its window then live until this returns.
    const CKeepAlive keep(this);
    // A press dispatched here runs its control's tracking loop, whose idle passes come back.
    if (window_ && alive_ && !dispatchingEvents_) {
        dispatchingEvents_ = true;
        platform::dispatchWindowEvents(window_);
        dispatchingEvents_ = false;
    }
    if (alive_ && !notYetPainted_ && isDirty()) {
        const CScoped<CGraphics> context(this);
        update(context.get());
    }
}

void CFrame::doIdleStuff()
{
    if (editor_)
        editor_->doIdleStuff();
}

int32_t CFrame::getKnobMode() const
{
    return editor_ ? editor_->getKnobMode() : 0;
}

uint32_t CFrame::getTicks() const
{
    return editor_ ? platform::tickCount() : 0;
}

bool CFrame::beginEdit(int32_t tag)
{
    return editor_ && editor_->beginEdit(tag);
}

bool CFrame::endEdit(int32_t tag)
{
    return editor_ && editor_->endEdit(tag);
}

bool CFrame::setSize(int32_t width, int32_t height)
{
    if (!window_ || !alive_ || width <= 0 || height <= 0 || (width == getWidth() && height == getHeight()))
        return false;
    releaseBackBuffer();
    const bool hostSized = editor_ && editor_->sizeWindow(width, height);
    const bool resized = hostSized ? platform::resizeWindow(window_, width, height)
                                   : platform::resizeWindowAndParents(window_, width, height);
    if (!resized)
        return false;
    CViewContainer::setViewSize(CBox(0, 0, width, height));
    return true;
}

bool CFrame::getPosition(int32_t& x, int32_t& y) const
{
    CBox box;
    if (!getSize(box))
        return false;
    x = box.left;
    y = box.top;
    return true;
}

bool CFrame::getSize(CBox& box) const
{
    if (!window_ || !alive_)
        return false;
    box = platform::windowBox(window_);
    return true;
}

void CFrame::setViewSize(const CBox& size)
{
    setSize(size.width(), size.height());
}

CPos CFrame::getWindowOrigin() const
{
    return window_ ? platform::windowScreenOrigin(window_) : CPos();
}

CPos CFrame::getCurrentLocation() const
{
    const CPos origin = getWindowOrigin();
    return platform::cursorScreenPosition().offset(-origin.h, -origin.v);
}

void CFrame::setCursor(CCursorType kind)
{
    platform::setCursor(kind);
}

CBackBuffer* CFrame::getBackBuffer()
{
    if (!backBuffer_) {
        auto* buffer = new CBackBuffer(this, getWidth(), getHeight());
        if (buffer->isValid())
            backBuffer_ = buffer;
        else
            buffer->release();
    }
    return backBuffer_;
}

void CFrame::releaseBackBuffer()
{
    if (backBuffer_)
        backBuffer_->release();
    backBuffer_ = nullptr;
}

bool CFrame::setModalView(CView* view)
{
    if (view && modalView_)
        return false;
    if (modalView_)
        removeView(modalView_, false);
    modalView_ = view;
    if (view)
        addView(view);
    return true;
}

CView* CFrame::getCurrentView() const
{
    return modalView_ ? modalView_ : CViewContainer::getCurrentView();
}

void CFrame::setFocusView(CView* view)
{
    if (view == focusView_)
        return;
    CView* old = focusView_;
    focusView_ = view;
    if (old) {
        old->loseFocus(nullptr);
        if (old->isFocusable())
            old->setDirty(true);
    }
    if (view) {
        view->takeFocus(nullptr);
        if (view->isFocusable())
            view->setDirty(true);
    }
}

void CFrame::invalidate(const CBox& box)
{
    for (CView* child : children_)
        if (child->getViewSize().overlapsInclusive(box))
            child->setDirty(true);
}

void CFrame::invalidate(CView* view)
{
    const CScoped<CGraphics> context(this);
    if (isChild(view))
        view->drawRect(context.get(), view->getViewSize());
    else
        draw(context.get());
}

bool CFrame::setUpdatesDisabled(bool disabled)
{
    const bool previous = updatesDisabled_;
    updatesDisabled_ = disabled;
    return previous;
}

void CFrame::drawRect(CGraphics* context, const CBox& updateBox)
{
    notYetPainted_ = false;
    if (!context)
        context = getBackBuffer();
    if (!context)
        return;
    const CBox oldClip = context->getClipRect();
    const CBox box = updateBox.intersected(oldClip);
    context->setClipRect(box);
    if (!box.isEmpty())
        CViewContainer::drawRect(context, box);
    context->setClipRect(oldClip);
}

// A control's report can reach the host, which may close the editor before it returns: the
// frame, and with it the control and the window, then live until the press, key or turn is
// handled.
void CFrame::mouse(CGraphics* context, CPos& where, int32_t buttons)
{
    const CKeepAlive keep(this);
    if (focusView_)
        setFocusView(nullptr);
    if (buttons == -1)
        buttons = platform::currentButtons();
    if (modalView_ && modalView_->hitTest(where, buttons))
        modalView_->mouse(context, where, buttons);
    else
        CViewContainer::mouse(context, where, buttons);
}

int32_t CFrame::onKeyDown(const CKeyCode& key)
{
    const CKeepAlive keep(this);
    if (focusView_)
        if (const int32_t result = focusView_->onKeyDown(key); result != -1)
            return result;
    if (modalView_)
        if (const int32_t result = modalView_->onKeyDown(key); result != -1)
            return result;
    if (key.virt == kVirtualKeyTab) {
        advanceFocus((key.modifier & kKeyModifierShift) != 0);
        return 1;
    }
    return -1;
}

int32_t CFrame::onKeyUp(const CKeyCode& key)
{
    const CKeepAlive keep(this);
    if (focusView_)
        if (const int32_t result = focusView_->onKeyUp(key); result != -1)
            return result;
    if (modalView_)
        return modalView_->onKeyUp(key);
    return -1;
}

bool CFrame::onWheel(CGraphics* context, const CPos& where, float distance)
{
    const CKeepAlive keep(this);
    if (modalView_)
        return modalView_->onWheel(context, where, distance);
    CView* view = getViewAt(where);
    return view && view->onWheel(context, where, distance);
}

void CFrame::update(CGraphics* context)
{
    if (!alive_ || updatesDisabled_)
        return;
    CBackBuffer* buffer = getBackBuffer();
    CGraphics* target = buffer ? static_cast<CGraphics*>(buffer) : context;
    if (dirty_) {
        draw(target);
    } else {
        drawDirtyChildren(target);
    }
    if (buffer)
        buffer->copyTo(context, localArea(), CPos());
}

void CFrame::drawDirtyChildren(CGraphics* target)
{
    const CBox oldClip = target->getClipRect();
    if (modalView_ && modalView_->isDirty())
        modalView_->update(target);
    for (CView* child : children_) {
        target->setClipRect(child->getViewSize().intersected(oldClip));
        child->update(target);
    }
    target->setClipRect(oldClip);
}

void CFrame::advanceFocus(bool backwards)
{
    focusNext(focusView_, backwards);
}

void CFrame::onWindowPaint(NativeSurface* windowSurface, const CBox& area)
{
    const CScoped<CGraphics> window(windowSurface, this);
    if (CBackBuffer* buffer = getBackBuffer()) {
        drawRect(buffer, area);
        buffer->copyTo(window.get(), area, area.topLeft());
    } else {
        drawRect(window.get(), area);
    }
}

// The context holds the frame: it must go before the frame may.
void CFrame::onWindowMouseDown(CPos where, int32_t buttons)
{
    const CKeepAlive keep(this);
    const CScoped<CGraphics> context(this);
    mouse(context.get(), where, buttons);
}

void CFrame::onWindowWheel(CPos where, float distance)
{
    const CKeepAlive keep(this);
    const CScoped<CGraphics> context(this);
    onWheel(context.get(), where, distance);
}

bool CFrame::onWindowDrop(CPos where, void* drag)
{
    if (!dropEnabled_)
        return false;
    const CKeepAlive keep(this);
    const CScoped<CGraphics> context(this);
    return onDrop(context.get(), drag, where);
}

bool CFrame::textEntryColors(CRgba& text, CRgba& background) const
{
    const CView* view = getCurrentView();
    return view && view->getTextEntryColors(text, background);
}

void CFrame::onWindowDestroyed()
{
    alive_ = false;
}

bool CFrame::isOfType(const char* name) const
{
    return (name && std::strcmp(name, "CFrame") == 0) || CViewContainer::isOfType(name);
}
