// The base of everything drawn: a rectangle in its parent's coordinates, a dirty flag the
// frame's idle pass looks at, mouse and key hooks, and an optional background image.
// Drawing treats size as right- and bottom-exclusive; hit tests include those edges.
// Reference counted: a container that takes a view owns it from then on.
#pragma once

#include "gui/CBox.h"
#include "gui/CKeyCode.h"
#include "gui/CRefCounted.h"

#include <cstdint>

class CEditor;
class CFrame;
class CGraphics;
class CImage;
class CViewContainer;

class CView : public CRefCounted {
public:
    explicit CView(const CBox& size);
    // Releases the background image.
    ~CView() override;

    // Draws the background image over size, then clears the dirty flag.
    virtual void draw(CGraphics* context);
    // Draws what lies in updateBox (parent coordinates); a plain view draws itself whole.
    virtual void drawRect(CGraphics* context, const CBox& updateBox);
    // Edges touching count as overlapping.
    virtual bool overlapsUpdate(const CBox& updateBox) const { return size_.overlapsInclusive(updateBox); }
    // A press inside the click area; where is in the parent's coordinates. buttons holds
    // CButtonState bits.
    virtual void mouse(CGraphics* context, CPos& where, int32_t buttons);
    // -1: not handled.
    virtual int32_t onKeyDown(const CKeyCode& key);
    virtual int32_t onKeyUp(const CKeyCode& key);
    virtual bool onWheel(CGraphics* context, const CPos& where, float distance);

    // Releases the old image, retains the new one, marks the view dirty.
    virtual void setBackground(CImage* image);

    virtual bool isDirty() const { return dirty_; }
    virtual void setDirty(bool dirty) { dirty_ = dirty; }
    // If dirty: redraws through the context (none: at once through the frame), clears the flag.
    virtual void update(CGraphics* context);
    // Redraws box (parent coordinates) of the frame with everything that overlaps it.
    virtual void redrawRect(CGraphics* context, const CBox& box);

    void setMouseEnabled(bool enabled) { mouseEnabled_ = enabled; }
    bool getMouseEnabled() const { return mouseEnabled_; }
    void setClickArea(const CBox& area) { clickArea_ = area; }
    // Inside the click area, edges included.
    virtual bool hitTest(const CPos& where, int32_t buttons) const;
    void setFocusable(bool focusable) { focusable_ = focusable; }
    bool isFocusable() const { return focusable_; }

    const CBox& getViewSize() const { return size_; }

    // The mouse position now, in this view's parent's coordinates.
    void getMouseLocation(CGraphics* context, CPos& where) const;
    // Between this view's parent's coordinates and the frame's.
    CPos toFrame(CPos where) const;
    CPos toLocal(CPos where) const;

    CFrame* getFrame() const { return parentFrame_; }
    CEditor* getEditor() const;
    // Called by the container that takes or drops the view.
    void setParents(CFrame* frame, CViewContainer* parent);

protected:
    CBox size_;
    CBox clickArea_;
    CFrame* parentFrame_ = nullptr;
    CViewContainer* parentView_ = nullptr;
    bool dirty_ = false;
    bool mouseEnabled_ = true;
    bool focusable_ = false;
    CImage* background_ = nullptr;
};
