// A drawing context: draws onto a frame's window or, as CBackBuffer, offscreen. Every
// coordinate given is moved by the context's offset first. Colours and font are remembered
// and go with each drawing call; the clip is passed on to the surface only when it changes.
// Made per use and released at once, except the frame's back buffer.
#pragma once

#include "gui/CBox.h"
#include "gui/CRefCounted.h"
#include "gui/CRgba.h"
#include "gui/platform/DrawingBackend.h"

#include <cstdint>

class CFrame;

class CGraphics : public CRefCounted {
public:
    // Draws onto frame's window; draws nothing when the frame has no window.
    explicit CGraphics(CFrame* frame);
    // Draws onto a surface that stays its owner's (the window's surface during a paint).
    CGraphics(NativeSurface* borrowedSurface, CFrame* frame);
    ~CGraphics() override;

    // Added to every coordinate drawn; containers move it to their children's origin.
    CPos getOffset() const { return offset_; }
    void setOffset(CPos offset) { offset_ = offset; }
    // The window's screen position when the context was made, for mouse locations.
    CPos getWindowOrigin() const { return windowOrigin_; }

    void setFrameColor(CRgba colour) { penColor_ = colour; }
    // kLineSolid or kLineDotted; any other value draws solid.
    void setLineStyle(int32_t style) { lineStyle_ = style == kLineDotted ? kLineDotted : kLineSolid; }
    CLineStyle getLineStyle() const { return lineStyle_; }
    // In pixels; below 1 draws one pixel wide.
    void setLineWidth(int32_t width) { lineWidth_ = width < 1 ? 1 : width; }
    int32_t getLineWidth() const { return lineWidth_; }
    // How lines combine with what is drawn (kCopyMode, kOrMode, kXorMode; others copy).
    void setDrawMode(int32_t mode)
    {
        drawMode_ = mode == kOrMode || mode == kXorMode ? CDrawMode(mode) : kCopyMode;
    }
    CDrawMode getDrawMode() const { return drawMode_; }
    void setFillColor(CRgba colour) { fillColor_ = colour; }
    void setFontColor(CRgba colour) { fontColor_ = colour; }
    // Font table index (outside the table: 0), size in pixels (0: the table's), face bits.
    void setFont(int32_t index, int32_t size = 0, int32_t face = 0);

    // In this context's coordinates; later drawing touches only pixels inside.
    void setClipRect(const CBox& box);
    CBox getClipRect() const { return clipBox_.moved(-offset_.h, -offset_.v); }

    // A line in the frame colour, line style and width from the current point to where; a
    // one-pixel line leaves out where itself, as every Windows line does.
    void moveTo(CPos where) { penPosition_ = where; }
    void lineTo(CPos where);
    // Fills left + 1 .. right, top + 1 .. bottom: the top row and left column stay out.
    void fillRect(const CBox& box);
    // One line of text in the font colour, vertically centred; left-aligned text starts one
    // pixel inside box. opaque fills the text's background with the fill colour.
    void drawString(const char* text, const CBox& box, bool opaque = false, CTextAlign align = kCenterText);
    // For CImage: blends the box-sized block at source in image onto box, scaled by alpha.
    void drawImage(const NativeImage* image, const CBox& box, CPos source, uint8_t alpha = 255);
    // For CImage: copies the box-sized block at source in image onto box, leaving out the
    // pixels of key's colour when key is given.
    void copyImage(const NativeImage* image, const CBox& box, CPos source, const CRgba* key = nullptr);
    // Copies the box-sized block at sourcePos in this context to box in destination.
    void copyTo(CGraphics* destination, const CBox& box, CPos sourcePos) const;
    // Copies box (this context's coordinates) into out, box.width() pixels per row.
    bool readPixels(const CBox& box, uint32_t* out) const;

    // The buttons and modifier keys held now (CButtonState bits).
    static int32_t getCurrentButtons();

protected:
    // Takes ownership of surface; clip is the area drawing starts with.
    CGraphics(NativeSurface* ownedSurface, CPos windowOrigin, const CBox& clip);

    NativeSurface* surface_;

private:
    bool ownsSurface_;
    CPos windowOrigin_;
    CPos offset_;
    CPos penPosition_;
    CRgba penColor_ = kWhiteCRgba;
    CLineStyle lineStyle_ = kLineSolid;
    int32_t lineWidth_ = 1;
    CDrawMode drawMode_ = kCopyMode;
    CRgba fillColor_ = kBlackCRgba;
    CRgba fontColor_ = kWhiteCRgba;
    FontSpec font_;
    CBox clipBox_;  // device coordinates
};
