// A view with ordered children in its own coordinates (origin at its top-left corner).
// Children draw first-added first; mouse, wheel and keys try the last-added first. A
// container owns the views it takes: removing one (or destroying the container) drops the
// container's reference and the creator's.
#pragma once

#include "gui/CRgba.h"
#include "gui/CView.h"

#include <vector>

class CBackBuffer;

class CViewContainer : public CView {
public:
    // frame: the frame the container belongs to (a frame passes itself).
    CViewContainer(const CBox& size, CFrame* frame, CImage* background = nullptr);
    // Removes every child with release and releases the offscreen.
    ~CViewContainer() override;

    // Retains view, makes it a child at the top of the drawing order and marks it dirty.
    bool addView(CView* view);
    bool addView(CView* view, const CBox& mouseableArea, bool mouseEnabled = true);
    // withRelease also drops the creator's reference, which normally destroys the view.
    bool removeView(CView* view, bool withRelease = true);
    void removeAll(bool withRelease = true);
    bool isChild(const CView* view) const;
    // The last-added child whose size contains where (edges included), in this container's
    // coordinates; deep descends into child containers.
    CView* getViewAt(const CPos& where, bool deep = false) const;

    // The background image, or black where there is none. box: this container's coordinates.
    void drawBackgroundIn(CGraphics* context, const CBox& box);

    int32_t getViewCount() const { return static_cast<int32_t>(children_.size()); }
    // In drawing order; null outside 0 .. count - 1.
    CView* getView(int32_t index) const;
    // The child under the mouse now, or null.
    virtual CView* getCurrentView() const;
    // Gives the frame's focus to the focusable view after current (before it when reverse)
    // among those below this container, wrapping around; none current starts at an end.
    // False when none is focusable.
    bool focusNext(CView* current, bool reverse);

    // Where the container has no image and is not transparent, this fills it.
    void setBackgroundColor(CRgba colour);
    CRgba getBackgroundColor() const { return backgroundColor_; }
    // Where in the image its top-left corner lies.
    void setBackgroundOffset(CPos offset) { backgroundOffset_ = offset; }
    CPos getBackgroundOffset() const { return backgroundOffset_; }
    // 1: an update redraws only the dirty children unless the container itself is dirty;
    // 0: it redraws the whole container when anything in it is dirty.
    void setMode(int32_t mode) { mode_ = mode; }
    int32_t getMode() const { return mode_; }
    // Draws through a buffer of its own size, made when the container is drawn or taken by
    // a parent; false releases it.
    void setUseOffscreen(bool use);
    bool getUseOffscreen() const { return useOffscreen_; }

    // Every focusable view below this one, in drawing order.
    void collectFocusable(std::vector<CView*>& views) const;

    void draw(CGraphics* context) override;
    void drawRect(CGraphics* context, const CBox& updateBox) override;
    void mouse(CGraphics* context, CPos& where, int32_t buttons) override;
    int32_t onKeyDown(const CKeyCode& key) override;
    int32_t onKeyUp(const CKeyCode& key) override;
    bool onWheel(CGraphics* context, const CPos& where, float distance) override;
    // To the last-added child whose size holds where.
    bool onDrop(CGraphics* context, void* drag, const CPos& where) override;
    void onDragEnter(CGraphics* context, void* drag, const CPos& where) override;
    void onDragLeave(CGraphics* context, void* drag, const CPos& where) override;
    void onDragMove(CGraphics* context, void* drag, const CPos& where) override;
    // To every child.
    void loseFocus(CGraphics* context) override;
    void takeFocus(CGraphics* context) override;
    int32_t notify(CView* sender, const char* message) override;
    // The offscreen follows the new size.
    void setViewSize(const CBox& size) override;
    bool removed(CView* parent) override;
    bool attached(CView* parent) override;
    bool isOfType(const char* name) const override;
    // Its own flag, or a dirty child that shows inside the container.
    bool isDirty() const override;
    // Redraws itself whole when its own flag is set, else each dirty child.
    void update(CGraphics* context) override;
    // A child's redraw request; box is in this container's coordinates.
    void redrawChildArea(CGraphics* context, const CBox& box);

protected:
    CBox localArea() const { return CBox(0, 0, size_.width(), size_.height()); }
    void drawChildren(CGraphics* context, const CBox& localUpdate);
    void releaseOffscreen();

    std::vector<CView*> children_;  // drawing order
    int32_t mode_ = 1;
    CRgba backgroundColor_ = kBlackCRgba;
    CPos backgroundOffset_;
    CBackBuffer* offscreen_ = nullptr;
    bool useOffscreen_ = false;
};
