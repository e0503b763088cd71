// Compares two renderings of the test scene: outside the text boxes pixel for pixel; in each
// text box, the extent of the text (the pixels that differ from the box's fill) and that the
// text's colour is there. Text is the one thing drawn by different rasterisers.
#pragma once

#include "tests/gui/scene/SceneImage.h"
#include "tests/gui/scene/TestScene.h"

#include <string>
#include <vector>

class SceneComparison {
public:
    SceneComparison(const SceneImage& first, const SceneImage& second, const std::vector<SceneText>& texts);

    // Empty when the renderings match.
    const std::vector<std::string>& problems() const { return problems_; }
    int32_t comparedPixels() const { return comparedPixels_; }

private:
    void comparePixels(
        const SceneImage& first, const SceneImage& second, const std::vector<SceneText>& texts);
    void compareText(const SceneImage& first, const SceneImage& second, const SceneText& text);

    std::vector<std::string> problems_;
    int32_t comparedPixels_ = 0;
};
