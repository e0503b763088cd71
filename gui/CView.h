// The base of everything drawn: a rectangle in its parent's coordinates, a dirty flag the
// frame's idle pass looks at, mouse and key hooks, and an optional background image.
// Drawing treats size as right- and bottom-exclusive; hit tests include those edges.
// Reference counted: a container that takes a view owns it from then on.
#pragma once

#include "gui/CBox.h"
#include "gui/CKeyCode.h"
#include "gui/CRefCounted.h"
#include "gui/CRgba.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CEditor;
class CFrame;
class CGraphics;
class CImage;
class CViewContainer;

class CView : public CRefCounted {
public:
    explicit CView(const CBox& size);
    // Releases the background image; the attributes go with the view.
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
    // Drag and drop; drag is the platform's drag data, opaque to views. True: taken.
    virtual bool onDrop(CGraphics* context, void* drag, const CPos& where);
    virtual void onDragEnter(CGraphics* context, void* drag, const CPos& where);
    virtual void onDragLeave(CGraphics* context, void* drag, const CPos& where);
    virtual void onDragMove(CGraphics* context, void* drag, const CPos& where);
    // The frame's focus view changes; context may be null.
    virtual void loseFocus(CGraphics* context);
    virtual void takeFocus(CGraphics* context);
    // The colours a text-entry control over this view draws in; false (the default): the
    // system's own.
    virtual bool getTextEntryColors(CRgba& text, CRgba& background) const;

    // Releases the old image, retains the new one, marks the view dirty.
    virtual void setBackground(CImage* image);
    CImage* getBackground() const { return background_; }

    virtual bool isDirty() const { return dirty_; }
    virtual void setDirty(bool dirty) { dirty_ = dirty; }
    // If dirty: redraws through the context (none: at once through the frame), clears the flag.
    virtual void update(CGraphics* context);
    // Redraws box (parent coordinates) of the frame with everything that overlaps it.
    virtual void redrawRect(CGraphics* context, const CBox& box);

    void setMouseEnabled(bool enabled) { mouseEnabled_ = enabled; }
    bool getMouseEnabled() const { return mouseEnabled_; }
    void setClickArea(const CBox& area) { clickArea_ = area; }
    const CBox& getClickArea() const { return clickArea_; }
    // Inside the click area, edges included.
    virtual bool hitTest(const CPos& where, int32_t buttons) const;
    void setFocusable(bool focusable) { focusable_ = focusable; }
    bool isFocusable() const { return focusable_; }

    // A transparent view draws its image keyed and a container without an image has no fill.
    void setTransparency(bool transparent) { transparency_ = transparent; }
    bool getTransparency() const { return transparency_; }

    // The click area stays where it was.
    virtual void setViewSize(const CBox& size);
    const CBox& getViewSize() const { return size_; }

    // A container is about to drop the view, or has just taken it. False: refused.
    virtual bool removed(CView* parent);
    virtual bool attached(CView* parent);
    // 0: not understood. Containers answer kMsgCheckIfViewContainer with 1.
    virtual int32_t notify(CView* sender, const char* message);
    // Whether the view is of the named class or derives from it.
    virtual bool isOfType(const char* name) const;

    // Blocks of bytes kept under an id for whoever made the view; setting an id again
    // replaces its block.
    void setAttribute(uint32_t id, const void* data, size_t size);
    // The size of the block, or 0 when there is none.
    size_t getAttributeSize(uint32_t id) const;
    // Copies the block into out when it fits; false otherwise.
    bool getAttribute(uint32_t id, void* out, size_t outSize) const;

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
    // The background image at box from source offset: keyed when the view is transparent.
    void drawBackground(CGraphics* context, const CBox& box, CPos offset = CPos()) const;

    CBox size_;
    CBox clickArea_;
    CFrame* parentFrame_ = nullptr;
    CViewContainer* parentView_ = nullptr;
    bool dirty_ = false;
    bool mouseEnabled_ = true;
    bool transparency_ = false;
    bool focusable_ = false;
    CImage* background_ = nullptr;

private:
    struct Attribute {
        uint32_t id;
        std::vector<uint8_t> data;
    };
    std::vector<Attribute> attributes_;
};

// Compared by address: containers answer only this very string.
extern const char* const kMsgCheckIfViewContainer;
