// The drawing operations of DrawingBackend.h through GDI and msimg32's AlphaBlend.
#include "gui/platform/DrawingBackend.h"
#include "gui/platform/win32/Win32Surface.h"

#include <cstring>
#include <new>

NativeSurface::NativeSurface(Kind surfaceKind, HDC deviceContext, HWND ownerWindow)
    : kind(surfaceKind)
    , dc(deviceContext)
    , window(ownerWindow)
    , oldPen(GetCurrentObject(deviceContext, OBJ_PEN))
    , oldBrush(GetCurrentObject(deviceContext, OBJ_BRUSH))
    , oldFont(GetCurrentObject(deviceContext, OBJ_FONT))
{
    SetBkMode(deviceContext, TRANSPARENT);
    fontSpec.pixelSize = 0;  // nothing of ours selected yet
}

namespace {

COLORREF colourRef(CRgba colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

void selectPen(NativeSurface& surface, const LinePen& linePen)
{
    const int style = linePen.style == kLineDotted ? PS_DOT : PS_SOLID;
    const COLORREF colour = colourRef(linePen.colour);
    if (surface.pen && surface.penColour == colour && surface.penStyle == style
        && surface.penWidth == linePen.width)
        return;
    HPEN pen = CreatePen(style, linePen.width, colour);
    if (!pen)
        return;
    SelectObject(surface.dc, pen);
    if (surface.pen)
        DeleteObject(surface.pen);
    surface.pen = pen;
    surface.penColour = colour;
    surface.penStyle = style;
    surface.penWidth = linePen.width;
}

bool selectBrush(NativeSurface& surface, COLORREF colour)
{
    if (surface.brush && surface.brushColour == colour)
        return true;
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush)
        return surface.brush != nullptr;  // the previous brush stays
    SelectObject(surface.dc, brush);
    if (surface.brush)
        DeleteObject(surface.brush);
    surface.brush = brush;
    surface.brushColour = colour;
    return true;
}

void selectFont(NativeSurface& surface, const FontSpec& spec)
{
    if (surface.font && surface.fontSpec == spec)
        return;
    HFONT font = CreateFontA(-spec.pixelSize, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, spec.italic,
        spec.underline, FALSE, ANSI_CHARSET, OUT_STRING_PRECIS, CLIP_STROKE_PRECIS, DEFAULT_QUALITY,
        VARIABLE_PITCH | (spec.decorative ? FF_DECORATIVE : FF_SWISS), spec.faceName);
    if (!font)
        return;
    SelectObject(surface.dc, font);
    if (surface.font)
        DeleteObject(surface.font);
    surface.font = font;
    surface.fontSpec = spec;
}

// The destination becomes ((destination ^ image) & mask) ^ image: the image where the mask
// is black, the destination where it is white. Monochrome maps to colour through the
// destination's text (black) and background (white) colours.
void copyMasked(HDC destination, const CBox& box, HDC imageDc, CPos source, HBITMAP mask, CPos maskPos)
{
    HDC maskDc = CreateCompatibleDC(destination);
    if (!maskDc)
        return;
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    const COLORREF oldText = SetTextColor(destination, RGB(0, 0, 0));
    const COLORREF oldBackground = SetBkColor(destination, RGB(255, 255, 255));
    const int width = box.width();
    const int height = box.height();
    BitBlt(destination, box.left, box.top, width, height, imageDc, source.h, source.v, SRCINVERT);
    BitBlt(destination, box.left, box.top, width, height, maskDc, maskPos.h, maskPos.v, SRCAND);
    BitBlt(destination, box.left, box.top, width, height, imageDc, source.h, source.v, SRCINVERT);
    SetTextColor(destination, oldText);
    SetBkColor(destination, oldBackground);
    SelectObject(maskDc, oldMask);
    DeleteDC(maskDc);
}

bool readsSourceOffsetWrongly()
{
    const OSVERSIONINFOA& version = win32::platformVersionRecord();
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMajorVersion == 4
        && version.dwMinorVersion == 10;
}

// A 32-bit top-down DIB section, so that row 0 is the top row in memory.
HBITMAP createTopDownDib(HDC dc, int32_t width, int32_t height, void** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace

namespace win32 {

void releaseSurfaceObjects(NativeSurface& surface)
{
    SelectObject(surface.dc, surface.oldPen);
    SelectObject(surface.dc, surface.oldBrush);
    SelectObject(surface.dc, surface.oldFont);
    if (surface.pen)
        DeleteObject(surface.pen);
    if (surface.brush)
        DeleteObject(surface.brush);
    if (surface.font)
        DeleteObject(surface.font);
    SelectClipRgn(surface.dc, nullptr);
    surface.pen = nullptr;
    surface.brush = nullptr;
    surface.font = nullptr;
}

}  // namespace win32

namespace drawing {

NativeSurface* createOffscreenSurface(const NativeSurface* like, int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    // A memory DC's compatible bitmap would be monochrome: only a window's DC (or the
    // screen's) gives the display's format.
    const bool likeWindow = like && like->kind != NativeSurface::Kind::offscreen;
    HDC reference = likeWindow ? like->dc : GetDC(nullptr);
    HDC dc = CreateCompatibleDC(reference);
    HBITMAP bitmap = dc ? CreateCompatibleBitmap(reference, width, height) : nullptr;
    if (!likeWindow)
        ReleaseDC(nullptr, reference);
    if (!bitmap) {
        if (dc)
            DeleteDC(dc);
        return nullptr;
    }
    auto* surface = new (std::nothrow) NativeSurface(NativeSurface::Kind::offscreen, dc, nullptr);
    if (!surface) {
        DeleteObject(bitmap);
        DeleteDC(dc);
        return nullptr;
    }
    surface->bitmap = bitmap;
    surface->oldBitmap = SelectObject(dc, bitmap);
    return surface;
}

void destroySurface(NativeSurface* surface)
{
    if (!surface)
        return;
    win32::releaseSurfaceObjects(*surface);
    if (surface->kind == NativeSurface::Kind::offscreen) {
        SelectObject(surface->dc, surface->oldBitmap);
        DeleteObject(surface->bitmap);
        DeleteDC(surface->dc);
    } else if (surface->kind == NativeSurface::Kind::window) {
        ReleaseDC(surface->window, surface->dc);
    }
    delete surface;
}

void setClip(NativeSurface* surface, const CBox& box)
{
    HRGN region = CreateRectRgn(box.left, box.top, box.right, box.bottom);
    if (!region)
        return;
    SelectClipRgn(surface->dc, region);
    DeleteObject(region);
}

void fillRect(NativeSurface* surface, const CBox& box, CRgba colour)
{
    if (box.isEmpty() || !selectBrush(*surface, colourRef(colour)))
        return;
    const RECT rect = {box.left, box.top, box.right, box.bottom};
    FillRect(surface->dc, &rect, surface->brush);
}

void drawLine(NativeSurface* surface, CPos from, CPos to, const LinePen& pen, CDrawMode mode)
{
    selectPen(*surface, pen);
    SetROP2(surface->dc, mode == kXorMode ? R2_XORPEN : mode == kOrMode ? R2_MERGEPEN : R2_COPYPEN);
    MoveToEx(surface->dc, from.h, from.v, nullptr);
    LineTo(surface->dc, to.h, to.v);
    SetROP2(surface->dc, R2_COPYPEN);
}

void blendImage(NativeSurface* surface, const CBox& box, const NativeImage* image, CPos source, uint8_t alpha)
{
    // Without msimg32 an image with alpha cannot be shown as it should; it is left out.
    const win32::AlphaBlendFunction blend = win32::alphaBlend();
    if (!blend || box.isEmpty())
        return;
    HDC imageDc = CreateCompatibleDC(surface->dc);
    if (!imageDc)
        return;
    HGDIOBJ old = SelectObject(imageDc, image->dib);
    const BLENDFUNCTION function = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    if (readsSourceOffsetWrongly()) {
        // Windows 98's AlphaBlend mislays a source block that does not start at the origin:
        // the block goes to a bitmap of its own first.
        HDC blockDc = CreateCompatibleDC(surface->dc);
        HBITMAP block = blockDc ? CreateCompatibleBitmap(imageDc, box.width(), box.height()) : nullptr;
        if (block) {
            HGDIOBJ oldBlock = SelectObject(blockDc, block);
            BitBlt(blockDc, 0, 0, box.width(), box.height(), imageDc, source.h, source.v, SRCCOPY);
            blend(surface->dc, box.left, box.top, box.width(), box.height(), blockDc, 0, 0, box.width(),
                box.height(), function);
            SelectObject(blockDc, oldBlock);
            DeleteObject(block);
        }
        if (blockDc)
            DeleteDC(blockDc);
    } else {
        blend(surface->dc, box.left, box.top, box.width(), box.height(), imageDc, source.h, source.v,
            box.width(), box.height(), function);
    }
    SelectObject(imageDc, old);
    DeleteDC(imageDc);
}

void copyImage(NativeSurface* surface, const CBox& box, const NativeImage* image, CPos source)
{
    HDC imageDc = CreateCompatibleDC(surface->dc);
    if (!imageDc)
        return;
    HGDIOBJ old = SelectObject(imageDc, image->dib);
    BitBlt(surface->dc, box.left, box.top, box.width(), box.height(), imageDc, source.h, source.v, SRCCOPY);
    SelectObject(imageDc, old);
    DeleteDC(imageDc);
}

void copyImageKeyed(NativeSurface* surface, const CBox& box, const NativeImage* image, CPos source, CRgba key)
{
    if (box.isEmpty())
        return;
    HDC imageDc = CreateCompatibleDC(surface->dc);
    if (!imageDc)
        return;
    HGDIOBJ old = SelectObject(imageDc, image->dib);
    const int width = box.width();
    const int height = box.height();
    if (image->mask) {
        copyMasked(surface->dc, box, imageDc, source, image->mask, source);
    } else if (const win32::TransparentBltFunction transparent = win32::transparentBlt()) {
        transparent(surface->dc, box.left, box.top, width, height, imageDc, source.h, source.v, width, height,
            colourRef(key));
    } else {
        // A mask from the image's block: white where the block has the key colour.
        HDC maskDc = CreateCompatibleDC(surface->dc);
        HBITMAP mask = maskDc ? CreateBitmap(width, height, 1, 1, nullptr) : nullptr;
        if (mask) {
            HGDIOBJ oldMask = SelectObject(maskDc, mask);
            const COLORREF oldBackground = SetBkColor(imageDc, colourRef(key));
            BitBlt(maskDc, 0, 0, width, height, imageDc, source.h, source.v, SRCCOPY);
            SetBkColor(imageDc, oldBackground);
            SelectObject(maskDc, oldMask);
            copyMasked(surface->dc, box, imageDc, source, mask, CPos());
            DeleteObject(mask);
        }
        if (maskDc)
            DeleteDC(maskDc);
    }
    SelectObject(imageDc, old);
    DeleteDC(imageDc);
}

void copySurface(NativeSurface* destination, const CBox& box, const NativeSurface* source, CPos sourcePos)
{
    BitBlt(destination->dc, box.left, box.top, box.width(), box.height(), source->dc, sourcePos.h,
        sourcePos.v, SRCCOPY);
}

void drawText(NativeSurface* surface, const char* text, const CBox& box, const FontSpec& font, CRgba colour,
    const CRgba* fill, CTextAlign align)
{
    selectFont(*surface, font);
    SetTextColor(surface->dc, colourRef(colour));
    if (fill) {
        SetBkMode(surface->dc, OPAQUE);
        SetBkColor(surface->dc, colourRef(*fill));
    }
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    format |= align == kCenterText ? DT_CENTER : align == kRightText ? DT_RIGHT : DT_LEFT;
    RECT rect = {box.left, box.top, box.right, box.bottom};
    DrawTextA(surface->dc, text, -1, &rect, format);
    SetBkMode(surface->dc, TRANSPARENT);
}

bool readPixels(const NativeSurface* surface, const CBox& box, uint32_t* out)
{
    if (box.isEmpty())
        return false;
    void* bits = nullptr;
    HBITMAP copy = createTopDownDib(surface->dc, box.width(), box.height(), &bits);
    if (!copy)
        return false;
    HDC copyDc = CreateCompatibleDC(surface->dc);
    bool copied = false;
    if (copyDc) {
        HGDIOBJ old = SelectObject(copyDc, copy);
        copied
            = BitBlt(copyDc, 0, 0, box.width(), box.height(), surface->dc, box.left, box.top, SRCCOPY) != 0;
        GdiFlush();
        if (copied)
            std::memcpy(out, bits, static_cast<size_t>(box.width()) * box.height() * sizeof(uint32_t));
        SelectObject(copyDc, old);
        DeleteDC(copyDc);
    }
    DeleteObject(copy);
    return copied;
}

NativeImage* createImage(int32_t width, int32_t height, PixelRows& rows)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    // Bottom-up, as the images were always kept: the top row is the last in memory.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib)
        return nullptr;
    auto* image = new (std::nothrow) NativeImage{dib, width, height};
    if (!image) {
        DeleteObject(dib);
        return nullptr;
    }
    rows.top = static_cast<uint32_t*>(bits) + static_cast<size_t>(height - 1) * width;
    rows.stride = -width;
    return image;
}

void destroyImage(NativeImage* image)
{
    if (!image)
        return;
    DeleteObject(image->dib);
    if (image->mask)
        DeleteObject(image->mask);
    delete image;
}

NativeImage* loadBitmapResource(int32_t id, int32_t& width, int32_t& height)
{
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(
        win32::toolkitModule(), MAKEINTRESOURCEA(id & 0xffff), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    BITMAP info = {};
    if (!bitmap || GetObjectA(bitmap, sizeof(info), &info) == 0) {
        if (bitmap)
            DeleteObject(bitmap);
        return nullptr;
    }
    auto* image = new (std::nothrow) NativeImage{bitmap, info.bmWidth, info.bmHeight};
    if (!image) {
        DeleteObject(bitmap);
        return nullptr;
    }
    width = info.bmWidth;
    height = info.bmHeight;
    return image;
}

}  // namespace drawing
