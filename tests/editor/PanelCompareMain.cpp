// Compares the panel as two builds show it (grimbolt-host editor-shot natively and under
// wine): pixel for pixel outside the channel label's text, and the text by extent and colour.
//
//   grimbolt_panel_compare FIRST.png SECOND.png
#include "tests/gui/scene/SceneComparison.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: grimbolt_panel_compare FIRST.png SECOND.png\n");
        return 2;
    }
    SceneImage first;
    SceneImage second;
    if (!first.load(argv[1]) || !second.load(argv[2])) {
        std::fprintf(stderr, "cannot read %s and %s\n", argv[1], argv[2]);
        return 1;
    }
    // The inside of the channel label, a black box with the channel's name in yellow italic,
    // less the columns the down arrow covers.
    const std::vector<SceneText> texts
        = {{CBox(143, 6, 239, 24), kBlackCRgba, CRgba{253, 255, 115, 255}, false}};
    const SceneComparison comparison(first, second, texts);
    for (const std::string& problem : comparison.problems())
        std::printf("  %s\n", problem.c_str());
    const bool match = comparison.problems().empty();
    std::printf("%s: %d pixels outside text %s, the channel label compared by extent and colour\n",
        match ? "panels match" : "panels DIFFER", comparison.comparedPixels(),
        match ? "identical" : "compared");
    return match ? 0 : 1;
}
