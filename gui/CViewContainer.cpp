#include "gui/CViewContainer.h"

#include "gui/CBackBuffer.h"
#include "gui/CFrame.h"
#include "gui/CGraphics.h"
#include "gui/CImage.h"

#include <algorithm>
#include <cstring>

CViewContainer::CViewContainer(const CBox& size, CFrame* frame, CImage* background)
    : CView(size)
{
    parentFrame_ = frame;
    if (background) {
        background->retain();
        background_ = background;
    }
    setDirty(true);
}

CViewContainer::~CViewContainer()
{
    removeAll(true);
    releaseOffscreen();
}

void CViewContainer::releaseOffscreen()
{
    if (offscreen_)
        offscreen_->release();
    offscreen_ = nullptr;
}

void CViewContainer::setUseOffscreen(bool use)
{
    useOffscreen_ = use;
    if (!use)
        releaseOffscreen();
}

void CViewContainer::setViewSize(const CBox& size)
{
    CView::setViewSize(size);
    if (useOffscreen_ && offscreen_) {
        releaseOffscreen();
        offscreen_ = new CBackBuffer(parentFrame_, size_.width(), size_.height());
    }
}

bool CViewContainer::removed(CView* parent)
{
    releaseOffscreen();
    return CView::removed(parent);
}

bool CViewContainer::attached(CView* parent)
{
    if (useOffscreen_ && !offscreen_)
        offscreen_ = new CBackBuffer(parentFrame_, size_.width(), size_.height());
    return CView::attached(parent);
}

bool CViewContainer::addView(CView* view)
{
    if (!view || isChild(view))
        return false;
    view->retain();
    view->setParents(parentFrame_, this);
    view->attached(this);
    view->setDirty(true);
    children_.push_back(view);
    return true;
}

bool CViewContainer::addView(CView* view, const CBox& mouseableArea, bool mouseEnabled)
{
    if (!view)
        return false;
    view->setClickArea(mouseableArea);
    view->setMouseEnabled(mouseEnabled);
    return addView(view);
}

bool CViewContainer::removeView(CView* view, bool withRelease)
{
    const auto found = std::find(children_.begin(), children_.end(), view);
    if (found == children_.end())
        return false;
    children_.erase(found);
    if (parentFrame_ && parentFrame_->getFocusView() == view)
        parentFrame_->setFocusView(nullptr);
    view->removed(this);
    view->setParents(nullptr, nullptr);
    view->release();
    if (withRelease)
        view->release();
    return true;
}

void CViewContainer::removeAll(bool withRelease)
{
    while (!children_.empty())
        removeView(children_.back(), withRelease);
}

bool CViewContainer::isChild(const CView* view) const
{
    return std::find(children_.begin(), children_.end(), view) != children_.end();
}

CView* CViewContainer::getViewAt(const CPos& where, bool deep) const
{
    for (auto child = children_.rbegin(); child != children_.rend(); ++child) {
        if (!(*child)->getViewSize().containsInclusive(where))
            continue;
        if (deep)
            if (auto* container = dynamic_cast<CViewContainer*>(*child)) {
                const CBox& size = container->getViewSize();
                if (CView* inner = container->getViewAt(CPos(where).offset(-size.left, -size.top), true))
                    return inner;
            }
        return *child;
    }
    return nullptr;
}

CView* CViewContainer::getView(int32_t index) const
{
    if (index < 0 || index >= getViewCount())
        return nullptr;
    return children_[static_cast<size_t>(index)];
}

CView* CViewContainer::getCurrentView() const
{
    if (!parentFrame_)
        return nullptr;
    CPos where = parentFrame_->getCurrentLocation();
    if (this != parentFrame_)
        where = toLocal(where).offset(-size_.left, -size_.top);
    return getViewAt(where);
}

bool CViewContainer::focusNext(CView* current, bool reverse)
{
    std::vector<CView*> focusable;
    collectFocusable(focusable);
    if (focusable.empty() || !parentFrame_)
        return false;
    const auto count = static_cast<int32_t>(focusable.size());
    const auto found = std::find(focusable.begin(), focusable.end(), current);
    int32_t next;
    if (found == focusable.end())
        next = reverse ? count - 1 : 0;
    else
        next = (static_cast<int32_t>(found - focusable.begin()) + (reverse ? count - 1 : 1)) % count;
    parentFrame_->setFocusView(focusable[static_cast<size_t>(next)]);
    return true;
}

void CViewContainer::setBackgroundColor(CRgba colour)
{
    backgroundColor_ = colour;
    setDirty(true);
}

void CViewContainer::drawBackgroundIn(CGraphics* context, const CBox& box)
{
    if (background_) {
        background_->draw(context, localArea(), backgroundOffset_);
    } else if (!transparency_) {
        context->setFillColor(backgroundColor_);
        context->fillRect(box);
    }
}

void CViewContainer::collectFocusable(std::vector<CView*>& views) const
{
    for (CView* child : children_) {
        if (child->isFocusable())
            views.push_back(child);
        if (auto* container = dynamic_cast<CViewContainer*>(child))
            container->collectFocusable(views);
    }
}

void CViewContainer::draw(CGraphics* context)
{
    drawRect(context, size_);
    setDirty(false);
}

void CViewContainer::drawRect(CGraphics* context, const CBox& updateBox)
{
    const CBox localUpdate = updateBox.moved(-size_.left, -size_.top);
    const CPos oldOffset = context->getOffset();
    const CBox oldClip = context->getClipRect();
    CGraphics* target = context;
    if (useOffscreen_) {
        if (!offscreen_)
            offscreen_ = new CBackBuffer(parentFrame_, size_.width(), size_.height());
        // What shows through a transparent container is what its parent drew under it.
        if (transparency_)
            context->copyTo(offscreen_, localArea(), CPos(size_.left, size_.top));
        target = offscreen_;
    } else {
        context->setOffset(CPos(oldOffset).offset(size_.left, size_.top));
    }
    const CBox targetClip = target->getClipRect();
    target->setClipRect(localUpdate.intersected(localArea()));
    drawBackgroundIn(target, localUpdate);
    drawChildren(target, localUpdate);

    if (offscreen_ && target == offscreen_) {
        offscreen_->setClipRect(targetClip);
        const CBox area = updateBox.intersected(size_);
        offscreen_->copyTo(context, area, CPos(area.left - size_.left, area.top - size_.top));
    } else {
        context->setOffset(oldOffset);
        context->setClipRect(oldClip);
    }
    if (dirty_ && updateBox.encloses(size_))
        dirty_ = false;
}

void CViewContainer::drawChildren(CGraphics* context, const CBox& localUpdate)
{
    for (CView* child : children_) {
        if (!child->overlapsUpdate(localUpdate))
            continue;
        context->setClipRect(child->getViewSize().intersected(localUpdate));
        const bool wasDirty = child->isDirty();
        child->drawRect(context, localUpdate);
        // Drawn only in part: it still needs a whole draw later.
        if (wasDirty && !localUpdate.encloses(child->getViewSize()))
            child->setDirty(true);
    }
}

void CViewContainer::mouse(CGraphics* context, CPos& where, int32_t buttons)
{
    CPos local = CPos(where).offset(-size_.left, -size_.top);
    for (auto child = children_.rbegin(); child != children_.rend(); ++child) {
        if ((*child)->getMouseEnabled() && (*child)->hitTest(local, buttons)) {
            (*child)->mouse(context, local, buttons);
            where = local.offset(size_.left, size_.top);
            return;
        }
    }
}

int32_t CViewContainer::onKeyDown(const CKeyCode& key)
{
    for (auto child = children_.rbegin(); child != children_.rend(); ++child)
        if (const int32_t result = (*child)->onKeyDown(key); result != -1)
            return result;
    return -1;
}

int32_t CViewContainer::onKeyUp(const CKeyCode& key)
{
    for (auto child = children_.rbegin(); child != children_.rend(); ++child)
        if (const int32_t result = (*child)->onKeyUp(key); result != -1)
            return result;
    return -1;
}

bool CViewContainer::onWheel(CGraphics* context, const CPos& where, float distance)
{
    const CPos local = CPos(where).offset(-size_.left, -size_.top);
    CView* child = getViewAt(local);
    return child && child->onWheel(context, local, distance);
}

bool CViewContainer::onDrop(CGraphics* context, void* drag, const CPos& where)
{
    const CPos local = CPos(where).offset(-size_.left, -size_.top);
    CView* child = getViewAt(local);
    return child && child->onDrop(context, drag, local);
}

void CViewContainer::onDragEnter(CGraphics* context, void* drag, const CPos& where)
{
    const CPos local = CPos(where).offset(-size_.left, -size_.top);
    if (CView* child = getViewAt(local))
        child->onDragEnter(context, drag, local);
}

void CViewContainer::onDragLeave(CGraphics* context, void* drag, const CPos& where)
{
    const CPos local = CPos(where).offset(-size_.left, -size_.top);
    if (CView* child = getViewAt(local))
        child->onDragLeave(context, drag, local);
}

void CViewContainer::onDragMove(CGraphics* context, void* drag, const CPos& where)
{
    const CPos local = CPos(where).offset(-size_.left, -size_.top);
    if (CView* child = getViewAt(local))
        child->onDragMove(context, drag, local);
}

void CViewContainer::loseFocus(CGraphics* context)
{
    for (CView* child : children_)
        child->loseFocus(context);
}

void CViewContainer::takeFocus(CGraphics* context)
{
    for (CView* child : children_)
        child->takeFocus(context);
}

int32_t CViewContainer::notify(CView*, const char* message)
{
    return message == kMsgCheckIfViewContainer ? 1 : 0;
}

bool CViewContainer::isOfType(const char* name) const
{
    return (name && std::strcmp(name, "CViewContainer") == 0) || CView::isOfType(name);
}

bool CViewContainer::isDirty() const
{
    if (dirty_)
        return true;
    const CBox area = localArea();
    for (const CView* child : children_)
        if (child->isDirty() && !child->getViewSize().intersected(area).isEmpty())
            return true;
    return false;
}

void CViewContainer::update(CGraphics* context)
{
    if (mode_ == 0) {
        if (isDirty())
            redrawRect(context, size_);
    } else if (dirty_) {
        redrawRect(context, size_);
    } else {
        const CBox area = localArea();
        for (CView* child : children_)
            if (child->isDirty() && child->getViewSize().overlapsInclusive(area))
                child->update(context);
    }
    dirty_ = false;
}

void CViewContainer::redrawChildArea(CGraphics* context, const CBox& box)
{
    redrawRect(context, box.intersected(localArea()).offset(size_.left, size_.top));
}
