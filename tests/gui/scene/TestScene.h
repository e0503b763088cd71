// One scene that every platform draws: a background image, two half-transparent images
// (one reaching past the background), filled boxes with frames and lines, dotted lines, an
// image blended with a constant alpha under an exclusive-or line, a bitmap copied plainly and keyed, and two
// texts. Outside the text boxes both platforms must give the same pixels.
#pragma once

#include "gui/CBox.h"
#include "gui/CRgba.h"

#include <cstdint>
#include <vector>

class CFrame;

struct SceneText {
    CBox box;          // the text's box; the comparison treats it apart
    CRgba background;  // what the box is filled with
    CRgba colour;      // the text's colour
    bool bold;         // bold text is anti-aliased under wine, so its extent may differ by a pixel
};

class TestScene {
public:
    static constexpr int32_t kWidth = 120;
    static constexpr int32_t kHeight = 80;

    // The frame with every view of the scene, in the window parentWindow.
    static CFrame* build(void* parentWindow);
    static std::vector<SceneText> texts();
};
