// The second scene every platform draws, using each drawing operation the first leaves out:
// wide and dotted lines in every draw mode, bitmaps copied plainly and keyed (with the
// default and another key colour), images blended at constant alphas, a transparent view, an
// offscreen container with a colour, one with an image at an offset, a transparent offscreen
// one, and value displays in every text alignment and box style. Outside the text boxes
// both platforms must give the same pixels.
#pragma once

#include "tests/gui/scene/TestScene.h"

class OperationsScene {
public:
    static constexpr int32_t kWidth = 160;
    static constexpr int32_t kHeight = 100;

    static CFrame* build(void* parentWindow);
    static std::vector<SceneText> texts();
};
