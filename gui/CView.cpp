#include "gui/CView.h"

#include "gui/CFrame.h"
#include "gui/CGraphics.h"
#include "gui/CImage.h"
#include "gui/CViewContainer.h"

#include <cstring>
#include <utility>

const char* const kMsgCheckIfViewContainer = "kMsgCheckIfViewContainer";

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
        drawBackground(context, size_);
    setDirty(false);
}

void CView::drawBackground(CGraphics* context, const CBox& box, CPos offset) const
{
    if (transparency_)
        background_->drawKeyed(context, box, offset);
    else
        background_->draw(context, box, offset);
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

bool CView::onDrop(CGraphics*, void*, const CPos&)
{
    return false;
}

void CView::onDragEnter(CGraphics*, void*, const CPos&) { }

void CView::onDragLeave(CGraphics*, void*, const CPos&) { }

void CView::onDragMove(CGraphics*, void*, const CPos&) { }

void CView::loseFocus(CGraphics*) { }

void CView::takeFocus(CGraphics*) { }

void CView::setViewSize(const CBox& size)
{
    size_ = size;
    setDirty(true);
}

bool CView::getTextEntryColors(CRgba&, CRgba&) const
{
    return false;
}

bool CView::removed(CView*)
{
    return true;
}

bool CView::attached(CView*)
{
    return true;
}

int32_t CView::notify(CView*, const char*)
{
    return 0;
}

bool CView::isOfType(const char* name) const
{
    return name && std::strcmp(name, "CView") == 0;
}

void CView::setAttribute(uint32_t id, const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    std::vector<uint8_t> block(bytes, bytes + (data ? size : 0));
    for (Attribute& attribute : attributes_)
        if (attribute.id == id) {
            attribute.data = std::move(block);
            return;
        }
    attributes_.push_back({id, std::move(block)});
}

size_t CView::getAttributeSize(uint32_t id) const
{
    for (const Attribute& attribute : attributes_)
        if (attribute.id == id)
            return attribute.data.size();
    return 0;
}

bool CView::getAttribute(uint32_t id, void* out, size_t outSize) const
{
    for (const Attribute& attribute : attributes_)
        if (attribute.id == id) {
            if (!out || outSize < attribute.data.size())
                return false;
            if (!attribute.data.empty())
                std::memcpy(out, attribute.data.data(), attribute.data.size());
            return true;
        }
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
