#include "gui/CFontTable.h"

namespace {

struct FontTableEntry {
    int32_t pixelSize;
    const char* faceName;
};

const FontTableEntry kFontTable[CFontTable::kCount] = {
    {12, "Arial"},
    {18, "Arial"},
    {14, "Arial"},
    {12, "Arial"},
    {11, "Arial"},
    {10, "Arial"},
    {9, "Arial"},
    {13, "Symbol"},
};

const int32_t kSymbolIndex = 7;

}  // namespace

int32_t CFontTable::validIndex(int32_t index)
{
    return index >= 0 && index < kCount ? index : 0;
}

int32_t CFontTable::pixelSize(int32_t index)
{
    return kFontTable[validIndex(index)].pixelSize;
}

FontSpec CFontTable::font(int32_t index, int32_t size, int32_t face)
{
    index = validIndex(index);
    FontSpec spec;
    spec.pixelSize = size != 0 ? size : kFontTable[index].pixelSize;
    spec.faceName = kFontTable[index].faceName;
    spec.bold = index == 0 || (face & kBoldFace) != 0;
    spec.italic = (face & kItalicFace) != 0;
    spec.underline = (face & kUnderlineFace) != 0;
    spec.decorative = index == kSymbolIndex;
    return spec;
}
