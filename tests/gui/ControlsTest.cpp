// The controls as a user drives them: scripted mouse gestures through the frame (the
// tracking loops poll the system's cursor and buttons), the wheel and keys, and what the
// controls report and draw.
#include "gui/CAnimKnob.h"
#include "gui/CBackBuffer.h"
#include "gui/CButtonState.h"
#include "gui/CKickButton.h"
#include "gui/COnOffButton.h"
#include "gui/CParamDisplay.h"
#include "gui/CTextLabel.h"
#include "gui/CImage.h"
#include "tests/gui/TestImages.h"
#include "tests/gui/support/FramePixels.h"
#include "tests/gui/support/ScriptedEditor.h"
#include "tests/gui/support/TestParentWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using Steps = std::vector<MouseScript::Step>;

const CBox kKnobBox(10, 10, 57, 52);  // a tone knob's size
const CPos kKnobCentre(33, 31);

class Controls : public ::testing::Test {
protected:
    Controls()
        : frame(new CFrame(CBox(0, 0, 120, 80), TestParentWindow::shared().handle(), &editor))
    {
        TestMouse::releaseAll();
    }
    ~Controls() override { frame->release(); }

    template <typename Control> Control* add(Control* control)
    {
        frame->addView(control);
        return control;
    }
    // Presses at the first step's position and walks the rest through the tracking loop.
    void gesture(const Steps& steps)
    {
        editor.script = MouseScript(frame, steps);
        editor.script.press();
    }
    CKnob* knobAt(float value)
    {
        auto* knob = add(new CKnob(kKnobBox, &editor, 4, nullptr));
        knob->setValue(value);
        return knob;
    }

    ScriptedEditor editor;
    CFrame* frame;
};

CPos moved(CPos where, int32_t right, int32_t up)
{
    return CPos(where.h + right, where.v - up);
}

int countColour(const std::vector<uint32_t>& pixels, uint32_t colour)
{
    return static_cast<int>(std::count_if(
        pixels.begin(), pixels.end(), [colour](uint32_t pixel) { return rgb(pixel) == colour; }));
}

// The first and last column of box that holds colour, or -1s.
std::pair<int32_t, int32_t> columnsOf(const std::vector<uint32_t>& pixels, int32_t width, uint32_t colour)
{
    std::pair<int32_t, int32_t> columns(-1, -1);
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (rgb(pixels[i]) != colour)
            continue;
        const auto column = static_cast<int32_t>(i % static_cast<size_t>(width));
        if (columns.first < 0 || column < columns.first)
            columns.first = column;
        columns.second = std::max(columns.second, column);
    }
    return columns;
}

}  // namespace

TEST_F(Controls, KnobDragsLinearlyWithFineModeAndRebasingOnShift)
{
    const int32_t L = kLButton;
    const int32_t S = kLButton | kShift;
    const CPos c = kKnobCentre;
    const struct {
        const char* name;
        Steps steps;
        float expected;
    } cases[] = {
        {"20 right, 10 up", {{c, L}, {moved(c, 20, 10), L}, {moved(c, 20, 10), 0}}, 0.65f},
        {"the same with Shift", {{c, S}, {moved(c, 20, 10), S}, {moved(c, 20, 10), 0}}, 0.6f},
        {"20 down and left", {{c, L}, {moved(c, -10, -10), L}, {moved(c, -10, -10), 0}}, 0.4f},
        // The loop reads the buttons before it looks at the newest position: Shift arriving
        // with the second move re-bases at 20 pixels, so 20 count coarse and 30 fine, and its
        // release with the button re-bases again without a jump.
        {"Shift mid-drag", {{c, L}, {moved(c, 20, 0), L}, {moved(c, 50, 0), S}, {moved(c, 80, 0), S}}, 0.8f},
    };
    for (const auto& test : cases) {
        const bool shifted = std::any_of(test.steps.begin(), test.steps.end(),
            [](const MouseScript::Step& step) { return (step.buttons & kShift) != 0; });
        if (shifted && !TestMouse::canHoldModifiers())
            continue;
        CKnob* knob = knobAt(0.5f);
        editor.reports.clear();
        gesture(test.steps);
        EXPECT_NEAR(knob->getValue(), test.expected, 1e-6f) << test.name;
        ASSERT_FALSE(editor.reports.empty()) << test.name;
        EXPECT_EQ(editor.reports.back(), knob->getValue()) << test.name;
        frame->removeView(knob);
    }
}

TEST_F(Controls, KnobDraggedPastTheEndStaysClampedUntilThePointerComesBackPastTheClampPoint)
{
    CKnob* knob = knobAt(0.5f);
    const CPos c = kKnobCentre;
    gesture({{c, kLButton}, {moved(c, 150, 0), kLButton}, {moved(c, 120, 0), kLButton},
        {moved(c, 100, 0), kLButton}, {moved(c, 95, 0), kLButton}, {moved(c, 95, 0), 0}});
    // +0.75, +0.6 and +0.5 all clamp to 1; only +0.475 comes back.
    EXPECT_EQ(editor.reports, (std::vector<float>{1.0f, 0.975f}));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.975f);
    EXPECT_EQ(editor.log.front(), "begin 4");
    EXPECT_EQ(editor.log.back(), "end 4");
}

TEST_F(Controls, ControlClickResetsToTheDefaultOnceAndControlShiftClickDrags)
{
    if (!TestMouse::canHoldModifiers())
        GTEST_SKIP() << "modifier keys cannot be held by a script here";
    CKnob* knob = knobAt(0.2f);
    gesture({{kKnobCentre, kLButton | kControl}});
    EXPECT_EQ(editor.reports, std::vector<float>{0.5f});
    EXPECT_EQ(editor.log, (std::vector<std::string>{"begin 4", "value 4", "end 4"}));

    knob->setValue(0.2f);
    editor.reports.clear();
    const int32_t held = kLButton | kControl | kShift;
    gesture({{kKnobCentre, held}, {moved(kKnobCentre, 30, 0), held}});
    EXPECT_NEAR(knob->getValue(), 0.3f, 1e-6f);
}

TEST_F(Controls, KnobCircularDragFollowsTheAngleAndSticksAtTheMaximumAcrossTheGap)
{
    editor.knobMode = 0;
    CKnob* knob = knobAt(0.0f);
    const CPos top(33, 12);
    const CPos right(57, 33);
    const CPos lowerRight(45, 50);
    const CPos lowerLeft(21, 50);
    gesture(
        {{top, kLButton}, {right, kLButton}, {lowerRight, kLButton}, {lowerLeft, kLButton}, {lowerLeft, 0}});
    ASSERT_GE(editor.reports.size(), 3u);
    EXPECT_NEAR(editor.reports[0], 0.5f, 0.02f);
    EXPECT_NEAR(editor.reports[1], 0.8333f, 0.02f);
    EXPECT_FLOAT_EQ(knob->getValue(), 1.0f) << "no wrap from the maximum to the minimum";
}

TEST_F(Controls, KnobValueFromPointAndBack)
{
    CKnob knob(CBox(0, 0, 47, 42), nullptr, 0, nullptr);
    knob.setHandleInset(0);
    const struct {
        CPos point;
        float value;
    } cases[] = {
        {{7, 40}, 0.0f},      // lower left, 225 degrees
        {{23, 0}, 0.5f},      // top
        {{47, 23}, 0.8333f},  // right
        {{40, 40}, 1.0f},     // lower right, -45 degrees
        {{28, 60}, 1.0f},     // the gap's right half
        {{19, 60}, 0.0f},     // the gap's left half
    };
    for (const auto& test : cases)
        EXPECT_NEAR(knob.valueFromPoint(test.point), test.value, 0.02f)
            << test.point.h << "," << test.point.v;
    for (const float value : {0.0f, 0.25f, 0.5f, 0.8f, 1.0f}) {
        knob.setValue(value);
        EXPECT_NEAR(knob.valueFromPoint(knob.valueToPoint()), value, 0.03f) << value;
    }
}

TEST_F(Controls, WheelAndArrowKeysStepTheKnobInsideAnEditGesture)
{
    CKnob* knob = knobAt(0.5f);
    CGraphics context(frame);
    EXPECT_TRUE(knob->onWheel(&context, kKnobCentre, 1.0f));
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-6f);
    EXPECT_EQ(editor.log, (std::vector<std::string>{"begin 4", "value 4", "end 4"}));
    CKeyCode key;
    key.virt = kVirtualKeyLeft;
    key.modifier = kKeyModifierShift;
    EXPECT_EQ(knob->onKeyDown(key), 1);
    EXPECT_NEAR(knob->getValue(), 0.59f, 1e-6f);
    key.virt = 0;
    key.character = 'a';
    EXPECT_EQ(knob->onKeyDown(key), -1);
    knob->setValue(1.0f);
    editor.reports.clear();
    EXPECT_TRUE(knob->onWheel(&context, kKnobCentre, 1.0f));
    EXPECT_TRUE(editor.reports.empty()) << "clamped at the end: nothing changed, nothing reported";
}

TEST_F(Controls, AnimatedKnobShowsTheFrameForItsValue)
{
    CAnimKnob knob(CBox(0, 0, 47, 42), nullptr, 0, 63, 42, nullptr);
    const struct {
        float value;
        int32_t offset;
    } cases[] = {{1.0f, 2604}, {0.0f, 0}, {0.999f, 2562}, {0.25f, 630}, {-0.5f, 0}, {1.5f, 2604}};
    for (const auto& test : cases) {
        knob.setValue(test.value);
        EXPECT_EQ(knob.frameOffset(), test.offset) << test.value;
    }
    knob.setInverseStrip(true);
    knob.setValue(0.0f);
    EXPECT_EQ(knob.frameOffset(), 2604);
}

TEST_F(Controls, AnimatedKnobNeedsRedrawingOnlyWhenItsFrameChanges)
{
    auto* knob = add(new CAnimKnob(kKnobBox, &editor, 1, 63, 42, nullptr));
    knob->setValue(0.5f);
    CGraphics context(frame);
    knob->draw(&context);
    EXPECT_FALSE(knob->isDirty());
    knob->setValue(0.505f);
    EXPECT_FALSE(knob->isDirty()) << "same frame";
    knob->setValue(0.52f);
    EXPECT_TRUE(knob->isDirty());
}

TEST_F(Controls, KickButtonReportsPressAndReleaseAndFollowsThePointerOut)
{
    auto* button = add(new CKickButton(CBox(60, 10, 80, 26), &editor, 13, 16, nullptr));
    const CPos inside(70, 18);
    const CPos outside(100, 60);
    gesture({{inside, kLButton}, {inside, 0}});
    EXPECT_EQ(editor.reports, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(editor.log.front(), "begin 13");
    EXPECT_EQ(editor.log.back(), "end 13");

    editor.reports.clear();
    gesture({{inside, kLButton}, {outside, kLButton}, {outside, kLButton}, {outside, 0}});
    EXPECT_EQ(editor.reports, (std::vector<float>{1.0f, 0.0f, 0.0f}));
    EXPECT_EQ(button->getValue(), 0.0f);
}

TEST_F(Controls, OnOffButtonFlipsOnEachClickAndReportsInsideAGesture)
{
    auto* button
        = add(new COnOffButton(CBox(60, 30, 79, 50), &editor, 8, nullptr, COnOffButton::kReportAfterRedraw));
    const CPos inside(70, 40);
    gesture({{inside, kLButton}});
    EXPECT_EQ(button->getValue(), 1.0f);
    EXPECT_EQ(editor.log, (std::vector<std::string>{"begin 8", "value 8", "end 8"}));
    gesture({{inside, kLButton}});
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_EQ(editor.reports, (std::vector<float>{1.0f, 0.0f}));
}

TEST_F(Controls, TextLabelDrawsItsBoxAndItsTextInTheFontColour)
{
    const CBox box(10, 10, 110, 30);
    auto* label = add(new CTextLabel(box));
    label->setFontColor(kYellowCRgba);
    CBackBuffer buffer(frame, 120, 80, kWhiteCRgba);
    label->draw(&buffer);
    const auto countColour = [&](uint32_t colour) {
        int count = 0;
        for (const uint32_t pixel : readPixels(buffer, box))
            count += rgb(pixel) == colour;
        return count;
    };
    EXPECT_EQ(countColour(0x000000), box.width() * box.height()) << "no text: the box alone, frame included";
    label->setText("crunch channel");
    label->draw(&buffer);
    EXPECT_GT(countColour(0xffff00), 10);
    EXPECT_EQ(rgb(readPixels(buffer, CBox(9, 9, 10, 10)).front()), 0xffffffu) << "nothing outside the box";
}

TEST_F(Controls, ParamDisplayStylesChooseWhatIsDrawn)
{
    const CBox box(10, 10, 110, 30);
    const struct {
        const char* name;
        int32_t style;
        uint32_t corner;  // the box's top-left pixel: the border's colour, or the bevel's
        bool text;
        bool shadow;
    } cases[] = {
        {"plain", 0, 0x00ff00, true, false},
        {"no drawing", CParamDisplay::kNoDrawing, 0xffffff, false, false},
        {"no text", CParamDisplay::kNoText, 0x00ff00, false, false},
        {"shadow text", CParamDisplay::kShadowText, 0x00ff00, true, true},
        {"sunken frame", CParamDisplay::kSunkenFrame, 0x000000, true, false},
    };
    for (const auto& test : cases) {
        CParamDisplay display(box, nullptr, test.style);
        display.setValue(0.25f);
        display.setFontColor(kYellowCRgba);
        display.setBorderColor(kGreenCRgba);
        CBackBuffer buffer(frame, 120, 80, kWhiteCRgba);
        display.draw(&buffer);
        int yellow = 0;
        int red = 0;
        for (const uint32_t pixel : readPixels(buffer, box)) {
            yellow += rgb(pixel) == 0xffff00;
            red += rgb(pixel) == 0xff0000;
        }
        EXPECT_EQ(rgb(readPixels(buffer, CBox(10, 10, 11, 11)).front()), test.corner) << test.name;
        EXPECT_EQ(yellow > 0, test.text) << test.name;
        EXPECT_EQ(red > 0, test.shadow) << test.name;
        EXPECT_FALSE(display.isDirty()) << test.name;
    }
}

TEST_F(Controls, KnobHonoursItsRangeDefaultWheelStepAndFineFactor)
{
    const CPos c = kKnobCentre;
    const struct {
        const char* name;
        std::function<void(CKnob&)> set;
        float start;
        Steps steps;  // none: one wheel notch up
        float expected;
    } cases[] = {
        {"range -1..1, 20 right", [](CKnob& k) { k.setMin(-1.0f); }, 0.0f,
            {{c, kLButton}, {moved(c, 20, 0), kLButton}, {moved(c, 20, 0), 0}}, 0.2f},
        {"max 0.7, dragged far", [](CKnob& k) { k.setMax(0.7f); }, 0.5f,
            {{c, kLButton}, {moved(c, 150, 0), kLButton}, {moved(c, 150, 0), 0}}, 0.7f},
        {"wheel step 0.25", [](CKnob& k) { k.setWheelStep(0.25f); }, 0.5f, {}, 0.75f},
        {"default 0.8, Control-click", [](CKnob& k) { k.setDefaultValue(0.8f); }, 0.2f,
            {{c, kLButton | kControl}}, 0.8f},
        {"fine factor 4, Shift", [](CKnob& k) { k.setFineFactor(4.0f); }, 0.5f,
            {{c, kLButton | kShift}, {moved(c, 20, 10), kLButton | kShift}, {moved(c, 20, 10), 0}}, 0.5375f},
    };
    for (const auto& test : cases) {
        const bool modifiers = !test.steps.empty() && (test.steps.front().buttons & (kShift | kControl));
        if (modifiers && !TestMouse::canHoldModifiers())
            continue;
        CKnob* knob = knobAt(test.start);
        test.set(*knob);
        if (test.steps.empty()) {
            CGraphics context(frame);
            knob->onWheel(&context, c, 1.0f);
        } else {
            gesture(test.steps);
        }
        EXPECT_NEAR(knob->getValue(), test.expected, 1e-5f) << test.name;
        frame->removeView(knob);
    }
}

TEST_F(Controls, ControlsKnowTheirImageOffsetAndDoubleClickTime)
{
    CKnob knob(CBox(12, 7, 20, 15), nullptr, 3, nullptr);
    EXPECT_GE(knob.getDoubleClickTime(), 250);
    knob.imageOffsetFromOrigin();
    EXPECT_EQ(knob.getImageOffset(), CPos(12, 7));
    knob.setDirty(false);
    knob.setDrawnValue(0.3f);
    EXPECT_TRUE(knob.isDirty()) << "drawn with another value than its own";
}

TEST_F(Controls, KnobAnglesPlaceTheArc)
{
    const float pi = 3.14159265f;
    const struct {
        const char* name;
        float start;
        float range;
        CPos point;
        float value;
    } cases[] = {
        // Counterclockwise over the top from 3 o'clock to 9 o'clock.
        {"ccw top", 0.0f, pi, {23, 0}, 0.5f},
        {"ccw left", 0.0f, pi, {0, 23}, 1.0f},
        {"ccw gap, nearer the maximum", 0.0f, pi, {10, 40}, 1.0f},
        {"ccw gap, nearer the minimum", 0.0f, pi, {37, 40}, 0.0f},
        // Clockwise over the top from 9 o'clock to 3 o'clock.
        {"cw top", pi, -pi, {23, 0}, 0.5f},
        {"cw right", pi, -pi, {47, 23}, 1.0f},
        {"cw gap, nearer the minimum", pi, -pi, {10, 40}, 0.0f},
    };
    for (const auto& test : cases) {
        CKnob knob(CBox(0, 0, 47, 47), nullptr, 0, nullptr);
        knob.setHandleInset(0);
        knob.setDirty(false);
        knob.setStartAngle(test.start);
        knob.setRangeAngle(test.range);
        EXPECT_TRUE(knob.isDirty()) << test.name;
        EXPECT_NEAR(knob.valueFromPoint(test.point), test.value, 0.02f) << test.name;
        knob.setValue(test.value);
        EXPECT_NEAR(knob.valueFromPoint(knob.valueToPoint()), test.value, 0.03f) << test.name;
    }
}

TEST_F(Controls, KnobHandleDrawsInItsColoursOrAsItsImage)
{
    CKnob knob(kKnobBox, nullptr, 0, nullptr);
    knob.setValue(0.5f);
    knob.setHandleColor(kYellowCRgba);
    knob.setHandleShadowColor(kGreenCRgba);
    CBackBuffer lines(frame, 120, 80, kWhiteCRgba);
    knob.draw(&lines);
    const std::vector<uint32_t> linePixels = readPixels(lines, kKnobBox);
    EXPECT_GT(countColour(linePixels, 0xffff00), 5);
    EXPECT_GT(countColour(linePixels, 0x00ff00), 5);

    auto* image = new CImage(kRgb2x2);
    knob.setHandleImage(image);
    image->release();
    CBackBuffer imaged(frame, 120, 80, kWhiteCRgba);
    knob.draw(&imaged);
    const CPos tip = knob.valueToPoint().offset(kKnobBox.left, kKnobBox.top);
    EXPECT_EQ(rgb(readPixels(imaged, CBox(tip.h, tip.v, tip.h + 1, tip.v + 1)).front()), 0x274f77u);
    EXPECT_EQ(countColour(readPixels(imaged, kKnobBox), 0xffff00), 0) << "no line";

    auto* wide = new CImage(kSceneOverlay);  // 16 wide: the tip 10 pixels inside the rim
    knob.setHandleImage(wide);
    wide->release();
    EXPECT_EQ(knob.valueToPoint().v, 10);
}

TEST_F(Controls, ParamDisplayShowsTheTextItsConversionsMake)
{
    const CBox box(10, 10, 110, 30);
    const auto draw = [&](float value, const std::function<void(CParamDisplay&)>& set) {
        CParamDisplay display(box);
        display.setFontColor(kYellowCRgba);
        display.setValue(value);
        set(display);
        CBackBuffer buffer(frame, 120, 80, kWhiteCRgba);
        display.draw(&buffer);
        return readPixels(buffer, box);
    };
    static char quarter[] = "0.25";
    const auto asQuarter = [](float, char* text) { std::strcpy(text, "0.25"); };
    const auto asNothing = [](float, char* text) { text[0] = '\0'; };
    const auto asData = [](float, char* text, void* data) { std::strcpy(text, static_cast<char*>(data)); };
    const std::vector<uint32_t> plain = draw(0.25f, [](CParamDisplay&) {});
    ASSERT_GT(countColour(plain, 0xffff00), 0);
    EXPECT_EQ(draw(0.9f, [&](CParamDisplay& d) { d.setValueToText(asQuarter); }), plain);
    EXPECT_EQ(countColour(draw(0.9f, [&](CParamDisplay& d) { d.setValueToText(asNothing); }), 0xffff00), 0);
    EXPECT_EQ(draw(0.9f,
                  [&](CParamDisplay& d) {
                      d.setValueToText(asNothing);
                      d.setValueToTextWithData(asData, quarter);
                  }),
        plain)
        << "the conversion with data wins";
}

TEST_F(Controls, ParamDisplayLooksAsItsSettersSay)
{
    const CBox box(10, 10, 110, 30);
    CParamDisplay display(box);
    display.setValue(0.25f);
    display.setFontColor(kYellowCRgba);
    const auto drawn = [&] {
        CBackBuffer buffer(frame, 120, 80, kWhiteCRgba);
        display.draw(&buffer);
        return readPixels(buffer, box);
    };
    const auto centred = columnsOf(drawn(), box.width(), 0xffff00);
    display.setTextAlign(kLeftText);
    EXPECT_TRUE(display.isDirty());
    const auto left = columnsOf(drawn(), box.width(), 0xffff00);
    display.setTextAlign(kRightText);
    const auto right = columnsOf(drawn(), box.width(), 0xffff00);
    EXPECT_LT(left.first, centred.first);
    EXPECT_GT(right.second, centred.second);

    display.setBoxColor(kBlueCRgba);
    display.setShadowColor(kGreenCRgba);
    display.setStyle(CParamDisplay::kShadowText);
    EXPECT_TRUE(display.isDirty());
    std::vector<uint32_t> pixels = drawn();
    EXPECT_GT(countColour(pixels, 0x0000ff), box.width() * box.height() / 2);
    EXPECT_GT(countColour(pixels, 0x00ff00), 0);
    display.setStyle(CParamDisplay::kNoText);
    EXPECT_EQ(countColour(drawn(), 0xffff00), 0);

    const std::vector<uint32_t> font3 = (display.setStyle(0), drawn());
    display.setFontIndex(0);
    EXPECT_NE(drawn(), font3);
}

TEST_F(Controls, ParamDisplayDrawsItsBackgroundAtTheImageOffsetAndCanFillBehindItsText)
{
    auto* image = new CImage(kRgb2x2);
    CParamDisplay display(CBox(1, 1, 2, 2), image, CParamDisplay::kNoText);
    image->release();
    display.imageOffsetFromOrigin();
    CBackBuffer buffer(frame, 120, 80, kWhiteCRgba);
    display.draw(&buffer);
    EXPECT_EQ(rgb(readPixels(buffer, CBox(1, 1, 2, 2)).front()), 0x274f77u);

    // Over a background the box colour shows only as the text's own fill.
    auto* background = new CImage(kSceneBackground);
    const CBox box(0, 0, 80, 20);
    CParamDisplay text(box, background);
    background->release();
    text.setBoxColor(kBlueCRgba);
    CBackBuffer clear(frame, 120, 80, kWhiteCRgba);
    text.draw(&clear);
    EXPECT_EQ(countColour(readPixels(clear, box), 0x0000ff), 0);
    text.setTextWithoutFill(false);
    CBackBuffer filled(frame, 120, 80, kWhiteCRgba);
    text.draw(&filled);
    EXPECT_GT(countColour(readPixels(filled, box), 0x0000ff), 0);
}

TEST_F(Controls, OnOffButtonStyleSaysWhetherTheListenerHearsBeforeOrAfterTheRedraw)
{
    struct IdleLoggingEditor : ScriptedEditor {
        void doIdleStuff() override
        {
            log.push_back("idle");
            ScriptedEditor::doIdleStuff();
        }
    } logging;
    CFrame* own = new CFrame(CBox(0, 0, 120, 80), TestParentWindow::shared().handle(), &logging);
    auto* button = new COnOffButton(CBox(60, 30, 79, 50), &logging, 8, nullptr);
    own->addView(button);
    const CPos inside(70, 40);
    const struct {
        COnOffButton::Style style;
        std::vector<std::string> log;
    } cases[] = {
        {COnOffButton::kReportBeforeRedraw, {"begin 8", "value 8", "end 8", "idle"}},
        {COnOffButton::kReportAfterRedraw, {"idle", "begin 8", "value 8", "end 8"}},
    };
    for (const auto& test : cases) {
        button->setStyle(test.style);
        EXPECT_EQ(button->getStyle(), test.style);
        logging.log.clear();
        logging.script = MouseScript(own, {{inside, kLButton}});
        logging.script.press();
        EXPECT_EQ(logging.log, test.log) << test.style;
    }
    own->release();
}
