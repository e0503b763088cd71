#include "tests/gui/scene/SceneComparison.h"

#include <cstdio>
#include <cstdlib>

namespace {

uint32_t rgbOf(CRgba colour)
{
    return (static_cast<uint32_t>(colour.red) << 16) | (static_cast<uint32_t>(colour.green) << 8)
        | colour.blue;
}

bool insideAny(const std::vector<SceneText>& texts, int32_t x, int32_t y)
{
    for (const SceneText& text : texts)
        if (x >= text.box.left && x < text.box.right && y >= text.box.top && y < text.box.bottom)
            return true;
    return false;
}

// The smallest box around the pixels of area that are not the fill colour; empty when none.
CBox inkExtent(const SceneImage& image, const SceneText& text)
{
    const uint32_t fill = rgbOf(text.background);
    CBox extent(text.box.right, text.box.bottom, text.box.left, text.box.top);
    for (int32_t y = text.box.top; y < text.box.bottom; ++y)
        for (int32_t x = text.box.left; x < text.box.right; ++x)
            if (image.at(x, y) != fill) {
                extent.left = std::min(extent.left, x);
                extent.top = std::min(extent.top, y);
                extent.right = std::max(extent.right, x + 1);
                extent.bottom = std::max(extent.bottom, y + 1);
            }
    return extent;
}

bool containsColour(const SceneImage& image, const CBox& box, uint32_t colour)
{
    for (int32_t y = box.top; y < box.bottom; ++y)
        for (int32_t x = box.left; x < box.right; ++x)
            if (image.at(x, y) == colour)
                return true;
    return false;
}

std::string describe(const CBox& box)
{
    char text[64];
    std::snprintf(text, sizeof text, "(%d, %d, %d, %d)", box.left, box.top, box.right, box.bottom);
    return text;
}

}  // namespace

SceneComparison::SceneComparison(
    const SceneImage& first, const SceneImage& second, const std::vector<SceneText>& texts)
{
    if (first.width != second.width || first.height != second.height) {
        problems_.push_back("the renderings differ in size");
        return;
    }
    comparePixels(first, second, texts);
    for (const SceneText& text : texts)
        compareText(first, second, text);
}

void SceneComparison::comparePixels(
    const SceneImage& first, const SceneImage& second, const std::vector<SceneText>& texts)
{
    int32_t reported = 0;
    for (int32_t y = 0; y < first.height; ++y)
        for (int32_t x = 0; x < first.width; ++x) {
            if (insideAny(texts, x, y))
                continue;
            ++comparedPixels_;
            if (first.at(x, y) == second.at(x, y) || reported++ >= 20)
                continue;
            char line[96];
            std::snprintf(line, sizeof line, "pixel (%d, %d): %06x against %06x", x, y, first.at(x, y),
                second.at(x, y));
            problems_.push_back(line);
        }
}

void SceneComparison::compareText(const SceneImage& first, const SceneImage& second, const SceneText& text)
{
    const CBox a = inkExtent(first, text);
    const CBox b = inkExtent(second, text);
    // Anti-aliased bold glyphs may reach one pixel further.
    const int32_t tolerance = text.bold ? 1 : 0;
    if (a.isEmpty() || b.isEmpty() || std::abs(a.left - b.left) > tolerance
        || std::abs(a.top - b.top) > tolerance || std::abs(a.right - b.right) > tolerance
        || std::abs(a.bottom - b.bottom) > tolerance)
        problems_.push_back(
            "text in " + describe(text.box) + " covers " + describe(a) + " against " + describe(b));
    const uint32_t colour = rgbOf(text.colour);
    if (!containsColour(first, text.box, colour) || !containsColour(second, text.box, colour))
        problems_.push_back("text in " + describe(text.box) + " lacks its colour in one rendering");
}
