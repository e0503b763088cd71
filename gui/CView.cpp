#include "gui/CView.h"

#include "gui/CFrame.h"
#include "gui/CGraphics.h"
#include "gui/CImage.h"
#include "gui/CViewContainer.h"

CView::CView(const CBox& size)
    : size_(size)
    , clickArea_(size)
{
}

CView::~CView()
{
    if (background_)
        background_->release();
}

void CView::draw(CGraphics* context)
{
    if (background_)
        background_->draw(context, size_);
    setDirty(false);
}

void CView::drawRect(CGraphics* context, const CBox&)
{
    draw(context);
}

void CView::mouse(CGraphics*, CPos&, int32_t) { }

int32_t CView::onKeyDown(const CKeyCode&)
{
    return -1;
}

int32_t CView::onKeyUp(const CKeyCode&)
{
    return -1;
}

bool CView::onWheel(CGraphics*, const CPos&, float)
{
    return false;
}

void CView::setBackground(CImage* image)
{
    if (image)
        image->retain();
    if (background_)
        background_->release();
    background_ = image;
    setDirty(true);
}

void CView::update(CGraphics* context)
{
    if (!isDirty())
        return;
    if (context)
        redrawRect(context, size_);
    else if (parentFrame_)
        parentFrame_->invalidate(this);
    setDirty(false);
}

void CView::redrawRect(CGraphics* context, const CBox& box)
{
    if (parentView_)
        parentView_->redrawChildArea(context, box);
    else if (parentFrame_)
        parentFrame_->drawRect(context, box);
}

bool CView::hitTest(const CPos& where, int32_t) const
{
    return clickArea_.containsInclusive(where);
}

void CView::getMouseLocation(CGraphics*, CPos& where) const
{
    where = parentFrame_ ? toLocal(parentFrame_->getCurrentLocation()) : CPos();
}

CPos CView::toFrame(CPos where) const
{
    for (const CView* container = parentView_; container && container != parentFrame_;
         container = container->parentView_)
        where.offset(container->size_.left, container->size_.top);
    return where;
}

CPos CView::toLocal(CPos where) const
{
    for (const CView* container = parentView_; container && container != parentFrame_;
         container = container->parentView_)
        where.offset(-container->size_.left, -container->size_.top);
    return where;
}

CEditor* CView::getEditor() const
{
    return parentFrame_ ? parentFrame_->getEditor() : nullptr;
}

void CView::setParents(CFrame* frame, CViewContainer* parent)
{
    parentFrame_ = frame;
    parentView_ = parent;
}
