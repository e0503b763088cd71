// Draws the panel's images into a directory: the brushed background with its legends, the
// two knob film strips, the channel arrows, the bypass lamp and the spare images. Every
// random-looking detail comes from a fixed-seed generator, so a run on the same cairo and
// fonts writes the same files.
//
//   grimbolt-panel-art OUTDIR
#include "base/MathConstants.h"
#include "editor/PanelLayout.h"

#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>

namespace {

const char* const kLegendFont = "Liberation Sans";

// A small linear congruential generator: the same streaks on every run and machine.
class Noise {
public:
    explicit Noise(uint32_t seed)
        : state_(seed)
    {
    }
    double next()  // 0 <= result < 1
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / 16777216.0;
    }

private:
    uint32_t state_;
};

struct Rgb {
    double r, g, b;
};

const Rgb kLegendYellow{0.99, 0.93, 0.30};

void setColour(cairo_t* cr, Rgb c, double alpha = 1.0)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

bool save(cairo_surface_t* surface, const std::string& path)
{
    const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    if (!ok)
        std::fprintf(stderr, "panel-art: cannot write %s\n", path.c_str());
    cairo_surface_destroy(surface);
    return ok;
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

// Legends: italic, slightly bold, with a dark drop shadow so they sit in the metal.
void legend(cairo_t* cr, const char* text, double centreX, double baseline, double size, bool bold = false)
{
    cairo_select_font_face(
        cr, kLegendFont, CAIRO_FONT_SLANT_ITALIC, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    const double x = centreX - extents.width / 2 - extents.x_bearing;
    cairo_move_to(cr, x + 1, baseline + 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_show_text(cr, text);
    cairo_move_to(cr, x, baseline);
    setColour(cr, kLegendYellow);
    cairo_show_text(cr, text);
}

void screw(cairo_t* cr, double x, double y, double angle)
{
    cairo_pattern_t* head = cairo_pattern_create_radial(x - 1, y - 1, 0.5, x, y, 3.5);
    cairo_pattern_add_color_stop_rgb(head, 0, 0.85, 0.85, 0.82);
    cairo_pattern_add_color_stop_rgb(head, 1, 0.35, 0.35, 0.35);
    cairo_arc(cr, x, y, 3.5, 0, kTwoPi);
    cairo_set_source(cr, head);
    cairo_fill(cr);
    cairo_pattern_destroy(head);
    cairo_set_source_rgba(cr, 0.1, 0.1, 0.1, 0.9);
    cairo_set_line_width(cr, 1.0);
    cairo_move_to(cr, x - 2.6 * std::cos(angle), y - 2.6 * std::sin(angle));
    cairo_line_to(cr, x + 2.6 * std::cos(angle), y + 2.6 * std::sin(angle));
    cairo_stroke(cr);
}

bool background(const std::string& dir)
{
    const int width = kPanelSize.width;
    const int height = kPanelSize.height;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);

    // Dark grey plate, lighter towards the top, brushed with thin horizontal streaks.
    cairo_pattern_t* plate = cairo_pattern_create_linear(0, 0, 0, height);
    cairo_pattern_add_color_stop_rgb(plate, 0, 0.26, 0.26, 0.27);
    cairo_pattern_add_color_stop_rgb(plate, 1, 0.15, 0.15, 0.16);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_set_source(cr, plate);
    cairo_fill(cr);
    cairo_pattern_destroy(plate);

    Noise noise(0x6b1d);
    cairo_set_line_width(cr, 1.0);
    for (int y = 0; y < height; ++y) {
        for (int streak = 0; streak < 9; ++streak) {
            const double x = noise.next() * width;
            const double length = 20 + noise.next() * 120;
            const double shade = noise.next();
            cairo_set_source_rgba(cr, shade, shade, shade, 0.035 + 0.04 * noise.next());
            cairo_move_to(cr, x - length / 2, y + 0.5);
            cairo_line_to(cr, x + length / 2, y + 0.5);
            cairo_stroke(cr);
        }
    }

    // A bevelled edge all round.
    cairo_set_source_rgba(cr, 1, 1, 1, 0.18);
    cairo_move_to(cr, 0.5, height - 0.5);
    cairo_line_to(cr, 0.5, 0.5);
    cairo_line_to(cr, width - 0.5, 0.5);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_move_to(cr, width - 0.5, 0.5);
    cairo_line_to(cr, width - 0.5, height - 0.5);
    cairo_line_to(cr, 0.5, height - 0.5);
    cairo_stroke(cr);

    // A recessed strip behind the tone knobs, and a thin yellow pin-stripe above it.
    roundedRect(cr, 3.5, 46.5, width - 7, 61, 5);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.28);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_stroke(cr);
    cairo_move_to(cr, 4, 47.5);
    cairo_line_to(cr, width - 4, 47.5);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.08);
    cairo_stroke(cr);

    // The channel window's bezel around the label and its arrows.
    const double bezelLeft = kChannelDownOrigin.x - 3.5;
    const double bezelRight = kChannelUpOrigin.x + kChannelArrowFrame.width + 3.5;
    roundedRect(cr, bezelLeft, kChannelLabelBox.top - 1.5, bezelRight - bezelLeft,
        kChannelLabelBox.bottom - kChannelLabelBox.top + 3.0, 4);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
    cairo_stroke(cr);

    screw(cr, 7, 40, 2.0);
    screw(cr, width - 7, 40, 0.9);

    legend(cr, "input", 21, 13, 11);
    legend(cr, "-12 db", 21, 31, 9);
    legend(cr, "12 db", 98, 31, 9);
    legend(cr, "GRIMBOLT", 325, 19, 17, true);
    legend(cr, "Bypass cab", 331, 40, 10);

    // Each tone knob's name centred under it, in the order of kToneKnobOrigins.
    const char* const toneLegends[] = {"voicing", "gain", "bass", "mid", "treble", "presence", "master"};
    static_assert(std::size(toneLegends) == std::size(kToneKnobOrigins));
    for (size_t i = 0; i < std::size(toneLegends); ++i)
        legend(cr, toneLegends[i], kToneKnobOrigins[i].x + kToneKnobFrame.width / 2.0, 103, 10);

    cairo_destroy(cr);
    return save(surface, dir + "/background.png");
}

// One film strip: a black knurled skirt with a gold cap and a cream pointer, on a ring of
// scale dots; frame i points at 225 - 270 i / 62 degrees (clockwise from lower left).
bool knobStrip(const std::string& path, int frameWidth, int frameHeight, double radius)
{
    cairo_surface_t* surface
        = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frameWidth, frameHeight * kKnobFrames);
    cairo_t* cr = cairo_create(surface);
    const double cx = frameWidth / 2.0;
    for (int frame = 0; frame < kKnobFrames; ++frame) {
        const double cy = frame * frameHeight + frameHeight / 2.0;
        const double angle = (225.0 - 270.0 * frame / (kKnobFrames - 1)) * kPi / 180.0;
        const double dx = std::cos(angle);
        const double dy = -std::sin(angle);

        // Scale: eleven dots from minimum to maximum.
        for (int tick = 0; tick <= 10; ++tick) {
            const double a = (225.0 - 27.0 * tick) * kPi / 180.0;
            cairo_arc(cr, cx + (radius + 3.2) * std::cos(a), cy - (radius + 3.2) * std::sin(a),
                tick % 5 == 0 ? 1.1 : 0.7, 0, kTwoPi);
            setColour(cr, kLegendYellow, tick % 5 == 0 ? 0.95 : 0.6);
            cairo_fill(cr);
        }

        // Shadow, skirt, knurls.
        cairo_arc(cr, cx + 1, cy + 1.5, radius, 0, kTwoPi);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
        cairo_fill(cr);
        cairo_pattern_t* skirt
            = cairo_pattern_create_radial(cx - radius / 3, cy - radius / 3, 1, cx, cy, radius);
        cairo_pattern_add_color_stop_rgb(skirt, 0, 0.30, 0.30, 0.30);
        cairo_pattern_add_color_stop_rgb(skirt, 1, 0.04, 0.04, 0.04);
        cairo_arc(cr, cx, cy, radius, 0, kTwoPi);
        cairo_set_source(cr, skirt);
        cairo_fill(cr);
        cairo_pattern_destroy(skirt);
        cairo_set_line_width(cr, 0.8);
        for (int knurl = 0; knurl < 24; ++knurl) {
            const double a = angle + knurl * kTwoPi / 24;
            cairo_move_to(cr, cx + (radius - 2.2) * std::cos(a), cy - (radius - 2.2) * std::sin(a));
            cairo_line_to(cr, cx + (radius - 0.4) * std::cos(a), cy - (radius - 0.4) * std::sin(a));
        }
        cairo_set_source_rgba(cr, 0.55, 0.55, 0.55, 0.45);
        cairo_stroke(cr);

        // Gold cap, lit from the upper left.
        const double cap = radius * 0.58;
        cairo_pattern_t* gold = cairo_pattern_create_radial(cx - cap / 2.5, cy - cap / 2.5, 0.5, cx, cy, cap);
        cairo_pattern_add_color_stop_rgb(gold, 0, 1.0, 0.93, 0.62);
        cairo_pattern_add_color_stop_rgb(gold, 0.6, 0.80, 0.62, 0.22);
        cairo_pattern_add_color_stop_rgb(gold, 1, 0.45, 0.32, 0.08);
        cairo_arc(cr, cx, cy, cap, 0, kTwoPi);
        cairo_set_source(cr, gold);
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);

        // Pointer: a cream line across the skirt to the rim.
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, radius > 14 ? 2.4 : 2.0);
        cairo_move_to(cr, cx + dx * (cap - 1), cy + dy * (cap - 1));
        cairo_line_to(cr, cx + dx * (radius - 1.5), cy + dy * (radius - 1.5));
        cairo_set_source_rgb(cr, 0.96, 0.94, 0.86);
        cairo_stroke(cr);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    }
    cairo_destroy(cr);
    return save(surface, path);
}

// A small bevelled plate, darker and sunk when pressed.
void plate(cairo_t* cr, double x, double y, double w, double h, bool pressed)
{
    roundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 3);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(
        face, 0, pressed ? 0.22 : 0.62, pressed ? 0.22 : 0.62, pressed ? 0.23 : 0.63);
    cairo_pattern_add_color_stop_rgb(
        face, 1, pressed ? 0.36 : 0.30, pressed ? 0.36 : 0.30, pressed ? 0.37 : 0.31);
    cairo_set_source(cr, face);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(face);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.85);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

// Released: a dark arrow; pressed: a red one, a pixel lower.
bool arrowButton(const std::string& path, bool pointsRight)
{
    const int w = kChannelArrowFrame.width;
    const int h = kChannelArrowFrame.height;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, kButtonFrames * h);
    cairo_t* cr = cairo_create(surface);
    for (int pressed = 0; pressed < kButtonFrames; ++pressed) {
        const double top = pressed * h;
        plate(cr, 1, top, w - 2, h, pressed != 0);
        const double cy = top + h / 2.0 + pressed;
        const double tip = pointsRight ? 14.5 : 5.5;
        const double back = pointsRight ? 7.0 : 13.0;
        cairo_move_to(cr, tip, cy);
        cairo_line_to(cr, back, cy - 4.5);
        cairo_line_to(cr, back, cy + 4.5);
        cairo_close_path(cr);
        if (pressed)
            cairo_set_source_rgb(cr, 0.95, 0.12, 0.08);
        else
            cairo_set_source_rgb(cr, 0.10, 0.10, 0.11);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    return save(surface, path);
}

// A square button with a round lamp: white (cabinet on) above, glowing red (bypassed) below.
bool lampButton(const std::string& path)
{
    const int w = kBypassButtonFrame.width;
    const int h = kBypassButtonFrame.height;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, kButtonFrames * h);
    cairo_t* cr = cairo_create(surface);
    for (int lit = 0; lit < kButtonFrames; ++lit) {
        const double top = lit * h;
        plate(cr, 0, top + 0.5, w, h - 1, false);
        const double cx = w / 2.0;
        const double cy = top + h / 2.0;
        cairo_pattern_t* glass = cairo_pattern_create_radial(cx - 1.5, cy - 1.5, 0.5, cx, cy, 5);
        if (lit) {
            cairo_pattern_add_color_stop_rgb(glass, 0, 1.0, 0.75, 0.65);
            cairo_pattern_add_color_stop_rgb(glass, 0.5, 0.95, 0.10, 0.05);
            cairo_pattern_add_color_stop_rgb(glass, 1, 0.45, 0.02, 0.0);
        } else {
            cairo_pattern_add_color_stop_rgb(glass, 0, 1.0, 1.0, 1.0);
            cairo_pattern_add_color_stop_rgb(glass, 0.6, 0.88, 0.88, 0.85);
            cairo_pattern_add_color_stop_rgb(glass, 1, 0.55, 0.55, 0.52);
        }
        cairo_arc(cr, cx, cy, 5, 0, kTwoPi);
        cairo_set_source(cr, glass);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(glass);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    return save(surface, path);
}

// The images the panel does not use, kept at their ids and sizes: plain grey swatches.
bool spare(const std::string& path, int w, int h, double shade)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(surface);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(fill, 0, shade + 0.1, shade + 0.1, shade + 0.1);
    cairo_pattern_add_color_stop_rgb(fill, 1, shade, shade, shade);
    cairo_set_source(cr, fill);
    cairo_paint(cr);
    cairo_pattern_destroy(fill);
    cairo_destroy(cr);
    return save(surface, path);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: grimbolt-panel-art OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = background(dir)
        && knobStrip(dir + "/tone-knob.png", kToneKnobFrame.width, kToneKnobFrame.height, 15.5)
        && knobStrip(dir + "/input-knob.png", kInputKnobFrame.width, kInputKnobFrame.height, 12.0)
        && arrowButton(dir + "/channel-down.png", false) && arrowButton(dir + "/channel-up.png", true)
        && lampButton(dir + "/bypass-button.png") && spare(dir + "/spare-112.png", 10, 20, 0.3)
        && spare(dir + "/spare-113.png", 10, 20, 0.3) && spare(dir + "/spare-118.png", 10, 20, 0.3)
        && spare(dir + "/spare-115.png", 36, 36, 0.25) && spare(dir + "/spare-116.png", 24, 24, 0.25)
        && spare(dir + "/spare-117.png", 6, 6, 0.25);
    return ok ? 0 : 1;
}
