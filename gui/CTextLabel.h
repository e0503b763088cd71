// A display that shows a text of its own instead of its value. Setting the text does not
// mark the label dirty; whoever changes it decides when it is redrawn.
#pragma once

#include "gui/CParamDisplay.h"

#include <string>

class CTextLabel : public CParamDisplay {
public:
    CTextLabel(const CBox& size, const char* text = nullptr, CImage* background = nullptr, int32_t style = 0);

    // A copy of text; null or empty shows the box alone.
    void setText(const char* text);
    const char* getText() const { return text_.c_str(); }

    void draw(CGraphics* context) override;

    bool isOfType(const char* name) const override;

private:
    std::string text_;
};
