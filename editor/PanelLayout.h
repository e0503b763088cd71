// Where everything sits on the panel, in pixels from its top-left corner: read by the editor
// to place its controls and by tools/panel-art to draw the background around them. Plain
// data, so the native art tool can include it without the toolkit. The sizes are those the
// art tool draws; the editor takes them from the images themselves.
#pragma once

#include <cstdint>

struct PanelPoint {
    int32_t x;
    int32_t y;
};

struct PanelSize {
    int32_t width;
    int32_t height;
};

struct PanelRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

constexpr PanelSize kPanelSize{380, 110};

// Frames in the images, stacked top to bottom: a knob's from minimum to maximum, a button's
// released then pressed (or off then on).
constexpr int32_t kKnobFrames = 63;
constexpr int32_t kButtonFrames = 2;

// The seven tone knobs, left to right: voicing, drive, bass, mid, treble, presence, master.
constexpr PanelPoint kToneKnobOrigins[] = {
    {7, 50},
    {59, 50},
    {113, 50},
    {167, 50},
    {221, 50},
    {275, 50},
    {329, 50},
};
constexpr PanelSize kToneKnobFrame{47, 42};

constexpr PanelPoint kInputKnobOrigin{42, 0};
constexpr PanelSize kInputKnobFrame{38, 34};

// The channel selector: the name between a down and an up arrow.
constexpr PanelRect kChannelLabelBox{140, 5, 240, 25};
constexpr PanelPoint kChannelDownOrigin{123, 8};
constexpr PanelPoint kChannelUpOrigin{242, 8};
constexpr PanelSize kChannelArrowFrame{20, 16};

constexpr PanelPoint kBypassButtonOrigin{275, 26};
constexpr PanelSize kBypassButtonFrame{19, 20};
