// What views are told: drags, focus changes, being taken and dropped; what they answer about
// their type; and how containers fill what their children leave.
#include "gui/CAnimKnob.h"
#include "gui/CFrame.h"
#include "gui/CKickButton.h"
#include "gui/COnOffButton.h"
#include "gui/CTextLabel.h"
#include "tests/gui/support/CountingView.h"
#include "tests/gui/support/FramePixels.h"
#include "tests/gui/support/TestMouse.h"
#include "tests/gui/support/TestParentWindow.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Writes each call it gets, with the point in its parent's coordinates, to a shared log.
class LoggingView : public CView {
public:
    LoggingView(const CBox& size, std::string& log, const char* name)
        : CView(size)
        , log_(log)
        , name_(name)
    {
    }
    bool onDrop(CGraphics*, void*, const CPos& where) override
    {
        note("drop", where);
        return true;
    }
    void onDragEnter(CGraphics*, void*, const CPos& where) override { note("enter", where); }
    void onDragLeave(CGraphics*, void*, const CPos& where) override { note("leave", where); }
    void onDragMove(CGraphics*, void*, const CPos& where) override { note("move", where); }
    void loseFocus(CGraphics*) override { log_ += name_ + " lose;"; }
    void takeFocus(CGraphics*) override { log_ += name_ + " take;"; }
    bool attached(CView*) override
    {
        log_ += name_ + " attached;";
        return true;
    }
    bool removed(CView*) override
    {
        log_ += name_ + " removed;";
        return true;
    }

private:
    void note(const char* what, const CPos& where)
    {
        log_ += name_ + " " + what + " " + std::to_string(where.h) + "," + std::to_string(where.v) + ";";
    }

    std::string& log_;
    std::string name_;
};

class ViewHooks : public ::testing::Test {
protected:
    ViewHooks()
        : frame(new CFrame(CBox(0, 0, 60, 40), TestParentWindow::shared().handle(), nullptr))
    {
    }
    ~ViewHooks() override { frame->release(); }

    CFrame* frame;
    std::string log;
};

}  // namespace

TEST_F(ViewHooks, DragsReachTheViewUnderThePointInItsParentsCoordinates)
{
    auto* box = new CViewContainer(CBox(20, 10, 50, 30), frame);
    box->addView(new LoggingView(CBox(5, 5, 10, 10), log, "inner"));
    frame->addView(box);
    frame->addView(new LoggingView(CBox(0, 0, 10, 10), log, "top"));
    log.clear();
    EXPECT_TRUE(frame->onDrop(nullptr, nullptr, CPos(27, 17)));
    EXPECT_FALSE(frame->onDrop(nullptr, nullptr, CPos(40, 35))) << "nothing there";
    frame->onDragEnter(nullptr, nullptr, CPos(10, 10));
    frame->onDragMove(nullptr, nullptr, CPos(40, 20));
    frame->onDragLeave(nullptr, nullptr, CPos(25, 15));
    EXPECT_EQ(log, "inner drop 7,7;top enter 10,10;inner leave 5,5;");
}

TEST_F(ViewHooks, TheCurrentViewIsTheChildUnderTheMouse)
{
    auto* box = new CViewContainer(CBox(20, 10, 50, 30), frame);
    auto* inner = new LoggingView(CBox(5, 5, 10, 10), log, "inner");
    box->addView(inner);
    frame->addView(box);
    const CPos origin = frame->getWindowOrigin();
    TestMouse::place(CPos(origin).offset(27, 17), 0);
    EXPECT_EQ(frame->getCurrentView(), box);
    EXPECT_EQ(box->getCurrentView(), inner);
    TestMouse::place(CPos(origin).offset(45, 25), 0);
    EXPECT_EQ(box->getCurrentView(), nullptr);
    TestMouse::releaseAll();
}

TEST_F(ViewHooks, FocusChangesAndMembershipAreTold)
{
    auto* box = new CViewContainer(CBox(20, 10, 50, 30), frame);
    auto* a = new LoggingView(CBox(0, 0, 5, 5), log, "a");
    auto* b = new LoggingView(CBox(5, 0, 10, 5), log, "b");
    auto* c = new LoggingView(CBox(0, 0, 5, 5), log, "c");
    for (CView* view : {static_cast<CView*>(a), static_cast<CView*>(b), static_cast<CView*>(c)})
        view->setFocusable(true);
    frame->addView(a);
    box->addView(b);
    frame->addView(box);
    frame->addView(c);
    EXPECT_EQ(log, "a attached;b attached;c attached;");
    EXPECT_EQ(frame->getViewCount(), 3);
    EXPECT_EQ(frame->getView(1), box);
    EXPECT_EQ(frame->getView(3), nullptr);
    EXPECT_EQ(frame->getView(-1), nullptr);

    const struct {
        bool reverse;
        CView* expected;
        const char* told;
    } steps[] = {
        {false, a, "a take;"},
        {false, b, "a lose;b take;"},
        {false, c, "b lose;c take;"},
        {false, a, "c lose;a take;"},
        {true, c, "a lose;c take;"},
    };
    for (const auto& step : steps) {
        log.clear();
        EXPECT_TRUE(frame->focusNext(frame->getFocusView(), step.reverse));
        EXPECT_EQ(frame->getFocusView(), step.expected);
        EXPECT_EQ(log, step.told);
    }
    log.clear();
    frame->removeView(c);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(log, "c lose;c removed;");
}

TEST_F(ViewHooks, EveryClassAnswersForItselfAndItsBases)
{
    CView* views[] = {
        new CView(CBox(0, 0, 1, 1)),
        new CViewContainer(CBox(0, 0, 1, 1), frame),
        new CKnob(CBox(0, 0, 1, 1), nullptr, 0, nullptr),
        new CAnimKnob(CBox(0, 0, 1, 1), nullptr, 0, 1, 1, nullptr),
        new CKickButton(CBox(0, 0, 1, 1), nullptr, 0, 1, nullptr),
        new COnOffButton(CBox(0, 0, 1, 1), nullptr, 0, nullptr),
        new CParamDisplay(CBox(0, 0, 1, 1)),
        new CTextLabel(CBox(0, 0, 1, 1)),
    };
    const char* const names[] = {"CView", "CViewContainer", "CKnob", "CAnimKnob", "CKickButton",
        "COnOffButton", "CParamDisplay", "CTextLabel", "CControl", "CFrame"};
    const char* const expected[] = {
        "CView",
        "CView CViewContainer",
        "CView CKnob CControl",
        "CView CKnob CAnimKnob CControl",
        "CView CKickButton CControl",
        "CView COnOffButton CControl",
        "CView CParamDisplay CControl",
        "CView CParamDisplay CTextLabel CControl",
    };
    for (size_t index = 0; index < std::size(views); ++index) {
        std::string answers;
        for (const char* name : names)
            if (views[index]->isOfType(name))
                answers += (answers.empty() ? "" : " ") + std::string(name);
        EXPECT_EQ(answers, expected[index]);
        views[index]->release();
    }
    EXPECT_TRUE(frame->isOfType("CFrame") && frame->isOfType("CViewContainer") && frame->isOfType("CView"));
    EXPECT_FALSE(frame->isOfType("CControl"));

    const std::string copy = kMsgCheckIfViewContainer;
    EXPECT_EQ(frame->notify(nullptr, kMsgCheckIfViewContainer), 1);
    EXPECT_EQ(frame->notify(nullptr, copy.c_str()), 0) << "the same text is not the message";
}

TEST_F(ViewHooks, ContainerFillsWithItsColourUnlessTransparent)
{
    const CRgba kUnder = {0, 200, 0, 255};
    const CRgba kFill = {0, 0, 150, 255};
    for (const bool transparent : {false, true}) {
        frame->removeAll();
        frame->addView(new CountingView(CBox(0, 0, 60, 40), kUnder));
        auto* box = new CViewContainer(CBox(10, 10, 30, 30), frame);
        box->setBackgroundColor(kFill);
        box->setTransparency(transparent);
        frame->addView(box);
        paintPendingWindows();
        frame->invalidate(frame->getViewSize());
        frame->idle();
        EXPECT_EQ(rgb(windowPixels(*frame, CBox(20, 20, 21, 21))[0]), transparent ? 0x00c800u : 0x000096u)
            << transparent;
    }
}

TEST_F(ViewHooks, ModeZeroRedrawsTheWholeContainerForOneDirtyChild)
{
    for (const int32_t mode : {0, 1}) {
        frame->removeAll();
        auto* box = new CViewContainer(CBox(0, 0, 40, 40), frame);
        auto* dirty = new CountingView(CBox(0, 0, 10, 10), {1, 2, 3, 255});
        auto* clean = new CountingView(CBox(20, 20, 30, 30), {1, 2, 3, 255});
        box->addView(dirty);
        box->addView(clean);
        box->setMode(mode);
        frame->addView(box);
        paintPendingWindows();
        frame->idle();
        const int before = clean->draws;
        dirty->setDirty(true);
        frame->idle();
        EXPECT_EQ(clean->draws - before, mode == 0 ? 1 : 0) << mode;
        EXPECT_FALSE(dirty->isDirty()) << mode;
    }
}

TEST_F(ViewHooks, AttributesAreKeptByIdAndHandedOutWhenTheyFit)
{
    CView view(CBox(0, 0, 1, 1));
    const uint32_t first = 0x01020304, second = 7;
    view.setAttribute(1, &first, sizeof first);
    view.setAttribute(1, &second, 1);
    EXPECT_EQ(view.getAttributeSize(1), 1u);
    EXPECT_EQ(view.getAttributeSize(2), 0u);
    uint32_t out = 0;
    EXPECT_TRUE(view.getAttribute(1, &out, sizeof out));
    EXPECT_EQ(out & 0xff, 7u);
    EXPECT_FALSE(view.getAttribute(2, &out, sizeof out));
    view.setAttribute(3, &first, sizeof first);
    EXPECT_FALSE(view.getAttribute(3, &out, 2)) << "too small";
}

TEST_F(ViewHooks, AnOffscreenContainerShowsTheSameAsADirectOne)
{
    const CRgba kUnder = {0, 200, 0, 255};
    const CRgba kChild = {200, 0, 0, 255};
    const struct {
        bool transparent;
        uint32_t corner;  // inside the container, outside its child
    } cases[] = {{false, 0x000000u}, {true, 0x00c800u}};
    for (const auto& c : cases) {
        for (const bool offscreen : {false, true}) {
            frame->removeAll();
            frame->addView(new CountingView(CBox(0, 0, 60, 40), kUnder));
            auto* box = new CViewContainer(CBox(10, 10, 30, 30), frame);
            box->setTransparency(c.transparent);
            box->setUseOffscreen(offscreen);
            box->addView(new CountingView(CBox(5, 5, 15, 15), kChild));
            frame->addView(box);
            paintPendingWindows();
            frame->idle();
            EXPECT_EQ(rgb(windowPixels(*frame, CBox(20, 20, 21, 21))[0]), 0xc80000u) << offscreen;
            EXPECT_EQ(rgb(windowPixels(*frame, CBox(12, 12, 13, 13))[0]), c.corner) << offscreen;
            EXPECT_EQ(rgb(windowPixels(*frame, CBox(35, 35, 36, 36))[0]), 0x00c800u) << offscreen;

            // Grown, the container draws its whole new area, through a buffer of the new size.
            box->setViewSize(CBox(10, 10, 50, 38));
            frame->idle();
            EXPECT_EQ(rgb(windowPixels(*frame, CBox(45, 35, 46, 36))[0]), c.corner) << offscreen;
        }
    }
}
