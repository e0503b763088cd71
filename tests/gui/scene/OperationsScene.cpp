#include "tests/gui/scene/OperationsScene.h"

#include "gui/CFrame.h"
#include "gui/CGraphics.h"
#include "gui/CImage.h"
#include "gui/CParamDisplay.h"
#include "gui/CViewContainer.h"
#include "tests/gui/TestImages.h"

namespace {

const CRgba kPanel = {40, 44, 52, 255};
const CRgba kAmber = {250, 170, 40, 255};
const CRgba kTeal = {40, 200, 190, 255};
const CRgba kBoxFill = {20, 30, 60, 255};
const CRgba kBorder = {150, 160, 170, 255};
const CRgba kDisplayText = {240, 240, 200, 255};

// Value displays: a text box is the display's inside, which its frame or bevel leaves
// alone; a raised or sunken bevel's right and bottom lines lie outside the display.
const CBox kFramedLeft(2, 62, 42, 78);
const CBox kSunkenCentred(44, 62, 84, 78);
const CBox kRaisedRight(86, 62, 126, 78);
const CBox kShadowed(2, 82, 52, 98);
const CBox kFilledBehindText(56, 82, 100, 98);
const CBox kNoText(130, 62, 158, 78);
const CBox kNoDrawing(104, 82, 130, 98);

const SceneText kTexts[] = {
    {CBox(kFramedLeft.left + 1, kFramedLeft.top + 1, kFramedLeft.right - 1, kFramedLeft.bottom - 1), kBoxFill,
        kDisplayText, false},
    {CBox(kSunkenCentred.left + 1, kSunkenCentred.top + 1, kSunkenCentred.right, kSunkenCentred.bottom),
        kBoxFill, kDisplayText, false},
    {CBox(kRaisedRight.left + 1, kRaisedRight.top + 1, kRaisedRight.right, kRaisedRight.bottom), kBoxFill,
        kDisplayText, false},
    {CBox(kShadowed.left + 1, kShadowed.top + 1, kShadowed.right, kShadowed.bottom), kBoxFill, kDisplayText,
        false},
    {CBox(kFilledBehindText.left + 1, kFilledBehindText.top + 1, kFilledBehindText.right - 1,
         kFilledBehindText.bottom - 1),
        kBoxFill, kDisplayText, false},
};

// Lines of widths 2 to 7 level, upright and slanted, a dotted wide pen (drawn solid), a
// dotted one-pixel frame, and wide lines in or and exclusive-or modes over them.
class WideLines : public CView {
public:
    using CView::CView;
    void draw(CGraphics* context) override
    {
        const int32_t x = size_.left;
        const int32_t y = size_.top;
        context->setFrameColor(kAmber);
        for (int32_t width = 2; width <= 5; ++width) {
            context->setLineWidth(width);
            context->moveTo(CPos(x + 4, y + 4 + 7 * (width - 2)));
            context->lineTo(CPos(x + 30, y + 4 + 7 * (width - 2)));
            context->moveTo(CPos(x + 36 + 7 * (width - 2), y + 4));
            context->lineTo(CPos(x + 36 + 7 * (width - 2), y + 26));
        }
        context->setLineWidth(3);
        context->moveTo(CPos(x + 4, y + 50));
        context->lineTo(CPos(x + 24, y + 34));
        context->setLineWidth(7);
        context->moveTo(CPos(x + 34, y + 36));
        context->lineTo(CPos(x + 60, y + 46));
        context->setLineWidth(4);
        context->setLineStyle(kLineDotted);
        context->moveTo(CPos(x + 62, y + 4));
        context->lineTo(CPos(x + 70, y + 30));
        context->setLineWidth(1);
        context->setFrameColor(kTeal);
        context->moveTo(CPos(x + 2, y + 31));
        context->lineTo(CPos(x + 74, y + 31));
        context->lineTo(CPos(x + 74, y + 54));
        context->setLineStyle(kLineSolid);
        context->setDrawMode(kXorMode);
        context->setLineWidth(5);
        context->moveTo(CPos(x + 10, y + 40));
        context->lineTo(CPos(x + 40, y + 40));
        context->lineTo(CPos(x + 50, y + 20));
        context->setDrawMode(kOrMode);
        context->setLineWidth(3);
        context->moveTo(CPos(x + 20, y + 52));
        context->lineTo(CPos(x + 70, y + 52));
        context->setDrawMode(kCopyMode);
        context->setLineWidth(1);
        setDirty(false);
    }
};

// The bitmap without alpha copied as it is, keyed with its default key (white) and with
// another, and the half-transparent image blended at two constant alphas.
class Bitmaps : public CView {
public:
    using CView::CView;
    void draw(CGraphics* context) override
    {
        const int32_t x = size_.left;
        const int32_t y = size_.top;
        auto* bitmap = new CImage(kKeyedBitmap3x2);
        bitmap->draw(context, CBox(x + 1, y + 1, x + 4, y + 3));
        bitmap->drawKeyed(context, CBox(x + 6, y + 1, x + 9, y + 3));
        bitmap->setKeyColor(CRgba{0, 0, 0, 255});
        bitmap->drawKeyed(context, CBox(x + 11, y + 1, x + 14, y + 3));
        bitmap->release();
        auto* overlay = new CImage(kSceneOverlay);
        overlay->drawBlended(context, CBox(x + 1, y + 5, x + 13, y + 17), CPos(2, 2), 60);
        overlay->drawBlended(context, CBox(x + 8, y + 9, x + 20, y + 21), CPos(0, 0), 200);
        overlay->release();
        setDirty(false);
    }
};

CView* imageView(const CBox& size, int32_t imageId, bool transparent)
{
    auto* image = new CImage(imageId);
    auto* view = new CView(size);
    view->setBackground(image);
    view->setTransparency(transparent);
    image->release();
    return view;
}

CParamDisplay* display(CFrame* frame, const CBox& size, int32_t style, CTextAlign align, float value)
{
    auto* view = new CParamDisplay(size, nullptr, style);
    view->setBoxColor(kBoxFill);
    view->setBorderColor(kBorder);
    view->setFontColor(kDisplayText);
    view->setShadowColor(kAmber);
    view->setTextAlign(align);
    view->setValue(value);
    frame->addView(view);
    return view;
}

}  // namespace

CFrame* OperationsScene::build(void* parentWindow)
{
    auto* frame = new CFrame(CBox(0, 0, kWidth, kHeight), parentWindow, nullptr);

    auto* lines = new CViewContainer(CBox(0, 0, 78, 58), frame);
    lines->setBackgroundColor(kPanel);
    lines->setUseOffscreen(true);
    lines->addView(new WideLines(CBox(0, 0, 78, 58)));
    frame->addView(lines);

    auto* background = new CImage(kSceneBackground);
    auto* pictures = new CViewContainer(CBox(80, 0, 160, 58), frame, background);
    background->release();
    pictures->setBackgroundOffset(CPos(12, 3));
    pictures->addView(new Bitmaps(CBox(2, 2, 26, 26)));
    pictures->addView(imageView(CBox(30, 4, 33, 6), kKeyedBitmap3x2, true));
    pictures->addView(imageView(CBox(36, 4, 39, 6), kKeyedBitmap3x2, false));
    auto* glass = new CViewContainer(CBox(40, 20, 76, 56), frame);
    glass->setTransparency(true);
    glass->setUseOffscreen(true);
    glass->addView(imageView(CBox(4, 4, 20, 20), kSceneOverlay, false));
    glass->addView(imageView(CBox(14, 14, 30, 30), kSceneOverlay, true));
    pictures->addView(glass);
    frame->addView(pictures);

    auto* strip = new CViewContainer(CBox(0, 58, 160, 100), frame);
    strip->setBackgroundColor(kPanel);
    frame->addView(strip);

    display(frame, kFramedLeft, 0, kLeftText, 0.25f);
    display(frame, kSunkenCentred, CParamDisplay::kSunkenFrame, kCenterText, 0.5f);
    display(frame, kRaisedRight, CParamDisplay::kRaisedFrame, kRightText, 0.75f);
    display(frame, kShadowed, CParamDisplay::kShadowText | CParamDisplay::kNoFrame, kCenterText, 1.0f);
    display(frame, kFilledBehindText, 0, kCenterText, 0.125f)->setTextWithoutFill(false);
    display(frame, kNoText, CParamDisplay::kNoText, kCenterText, 0.0f);
    display(frame, kNoDrawing, CParamDisplay::kNoDrawing, kCenterText, 0.0f);
    return frame;
}

std::vector<SceneText> OperationsScene::texts()
{
    return std::vector<SceneText>(std::begin(kTexts), std::end(kTexts));
}
