#include "gui/platform/software/SoftwareText.h"

#include <cairo.h>

#include <cstring>

namespace {

// Faces with a metric-compatible stand-in on Linux.
const char* substituteFace(const char* face)
{
    return std::strcmp(face, "Arial") == 0 ? "Liberation Sans" : face;
}

void setUpFont(cairo_t* cr, const FontSpec& font)
{
    cairo_select_font_face(cr, substituteFace(font.faceName),
        font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
        font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    // A negative Windows font height is the em size in pixels, as cairo's font size is.
    cairo_set_font_size(cr, font.pixelSize);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void setColour(cairo_t* cr, CRgba colour)
{
    cairo_set_source_rgb(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
}

}  // namespace

void SoftwareText::draw(const PixelMap& target, const CBox& clip, const char* text, const CBox& box,
    const FontSpec& font, CRgba colour, const CRgba* fill, CTextAlign align)
{
    // Windows clips text to its box too (DrawText without DT_NOCLIP).
    const CBox visible = clip.intersected(box);
    if (visible.isEmpty() || !text || !*text)
        return;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(target.pixels), CAIRO_FORMAT_ARGB32, target.width, target.height,
        target.stride * static_cast<int>(sizeof(uint32_t)));
    cairo_t* cr = cairo_create(surface);
    cairo_rectangle(cr, visible.left, visible.top, visible.width(), visible.height());
    cairo_clip(cr);
    setUpFont(cr, font);

    cairo_font_extents_t fontExtents;
    cairo_font_extents(cr, &fontExtents);
    cairo_text_extents_t textExtents;
    cairo_text_extents(cr, text, &textExtents);
    const auto ascent = static_cast<int32_t>(fontExtents.ascent);
    const auto cellHeight = static_cast<int32_t>(fontExtents.ascent + fontExtents.descent);
    const auto width = static_cast<int32_t>(textExtents.x_advance);

    int32_t left = box.left;
    if (align == kCenterText)
        left = box.left + (box.width() - width) / 2;
    else if (align == kRightText)
        left = box.right - width;
    const int32_t top = box.top + (box.height() - cellHeight) / 2;

    if (fill) {
        setColour(cr, *fill);
        cairo_rectangle(cr, left, top, width, cellHeight);
        cairo_fill(cr);
    }
    setColour(cr, colour);
    cairo_move_to(cr, left, top + ascent);
    cairo_show_text(cr, text);
    if (font.underline) {
        cairo_rectangle(cr, left, top + ascent + 1, width, 1);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
}
