#include "tests/gui/scene/TestScene.h"

#include "gui/CFrame.h"
#include "gui/CGraphics.h"
#include "gui/CImage.h"
#include "tests/gui/TestImages.h"

namespace {

const CRgba kLabelText = {253, 255, 115, 255};
const CRgba kPanel = {40, 44, 52, 255};
const CRgba kEdge = {180, 190, 200, 255};

const SceneText kLabel = {CBox(10, 62, 110, 78), kBlackCRgba, kLabelText, false};
const SceneText kTitle = {CBox(86, 34, 118, 48), kPanel, kWhiteCRgba, true};

// A box filled like a text label's: fill, then a one-pixel frame through the corners.
class FramedBox : public CView {
public:
    FramedBox(const CBox& size, CRgba fill, CRgba edge)
        : CView(size)
        , fill_(fill)
        , edge_(edge)
    {
    }
    void draw(CGraphics* context) override
    {
        context->setFillColor(fill_);
        context->fillRect(size_);
        context->setFrameColor(edge_);
        context->moveTo(CPos(size_.left, size_.top));
        context->lineTo(CPos(size_.right - 1, size_.top));
        context->lineTo(CPos(size_.right - 1, size_.bottom - 1));
        context->lineTo(CPos(size_.left, size_.bottom - 1));
        context->lineTo(CPos(size_.left, size_.top));
        setDirty(false);
    }

private:
    CRgba fill_;
    CRgba edge_;
};

// Two crossing handle-like lines, as a knob without a strip draws its pointer.
class Needles : public CView {
public:
    using CView::CView;
    void draw(CGraphics* context) override
    {
        context->setFrameColor(kGreyCRgba);
        context->moveTo(CPos(size_.left + 2, size_.top + 1));
        context->lineTo(CPos(size_.right - 3, size_.bottom - 2));
        context->setFrameColor(kWhiteCRgba);
        context->moveTo(CPos(size_.right - 1, size_.top + 4));
        context->lineTo(CPos(size_.left + 5, size_.bottom - 1));
        setDirty(false);
    }
};

// Dotted lines, an image blended at half strength from inside its area with an
// exclusive-or line across it, and a bitmap without alpha copied as it is and with its white
// left out.
class Marks : public CView {
public:
    using CView::CView;
    void draw(CGraphics* context) override
    {
        context->setFrameColor(kEdge);
        context->setLineStyle(kLineDotted);
        context->moveTo(CPos(size_.left, size_.top));
        context->lineTo(CPos(size_.right, size_.top));
        context->lineTo(CPos(size_.left + 6, size_.bottom - 1));
        context->moveTo(CPos(size_.left, size_.top + 1));
        context->lineTo(CPos(size_.left, size_.bottom));
        context->setLineStyle(kLineSolid);
        auto* overlay = new CImage(kSceneOverlay);
        overlay->drawBlended(
            context, CBox(size_.left + 10, size_.top + 1, size_.left + 22, size_.bottom), CPos(2, 3), 128);
        overlay->release();
        context->setDrawMode(kXorMode);
        context->moveTo(CPos(size_.left + 8, size_.bottom - 3));
        context->lineTo(CPos(size_.left + 24, size_.bottom - 3));
        context->setDrawMode(kCopyMode);
        auto* keyed = new CImage(kKeyedBitmap3x2);
        keyed->draw(context, CBox(size_.right - 5, size_.top + 2, size_.right - 2, size_.top + 4));
        keyed->drawKeyed(context, CBox(size_.right - 5, size_.top + 6, size_.right - 2, size_.top + 8));
        keyed->release();
        setDirty(false);
    }
};

class Text : public CView {
public:
    Text(const SceneText& text, int32_t fontIndex, int32_t face, const char* string, CTextAlign align)
        : CView(text.box)
        , text_(text)
        , fontIndex_(fontIndex)
        , face_(face)
        , string_(string)
        , align_(align)
    {
    }
    void draw(CGraphics* context) override
    {
        context->setFillColor(text_.background);
        context->fillRect(CBox(size_.left - 1, size_.top - 1, size_.right, size_.bottom));
        context->setFont(fontIndex_, 0, face_);
        context->setFontColor(text_.colour);
        context->drawString(string_, size_, false, align_);
        setDirty(false);
    }

private:
    SceneText text_;
    int32_t fontIndex_;
    int32_t face_;
    const char* string_;
    CTextAlign align_;
};

CView* imageView(const CBox& size, int32_t imageId)
{
    auto* image = new CImage(imageId);
    auto* view = new CView(size);
    view->setBackground(image);
    image->release();
    return view;
}

}  // namespace

CFrame* TestScene::build(void* parentWindow)
{
    auto* frame = new CFrame(CBox(0, 0, kWidth, kHeight), parentWindow, nullptr);
    frame->addView(imageView(CBox(0, 0, 80, 60), kSceneBackground));
    frame->addView(imageView(CBox(30, 20, 46, 36), kSceneOverlay));
    frame->addView(imageView(CBox(72, 50, 88, 66), kSceneOverlay));
    frame->addView(new FramedBox(CBox(86, 4, 116, 30), kPanel, kEdge));
    frame->addView(new Needles(CBox(88, 6, 114, 28)));
    frame->addView(new Marks(CBox(90, 49, 120, 61)));
    frame->addView(new Text(kLabel, 3, 2, "crunch channel", kCenterText));
    frame->addView(new Text(kTitle, 0, 0, "Bolt", kLeftText));
    return frame;
}

std::vector<SceneText> TestScene::texts()
{
    return {kLabel, kTitle};
}
