// The editor base as the host drives it through the dispatcher.
#include "tests/gui/support/FramePixels.h"
#include "tests/gui/support/TestParentWindow.h"
#include "tests/plugin/gui/PanelEditor.h"

#include <gtest/gtest.h>

namespace {

void* parentWindow()
{
    return TestParentWindow::shared().handle();
}

}  // namespace

TEST(AEffGUIEditor, AttachesToTheEffectAndReportsItsRectBeforeOpening)
{
    EditorHost host;
    EXPECT_EQ(host.effect.getEditor(), host.editor);
    EXPECT_TRUE(host.effect.getAeffect()->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    EXPECT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->bottom, 40);
    EXPECT_EQ(rect->right, 60);
}

TEST(AEffGUIEditor, WithoutAFrameKeysAreNotHandledAndIdleOnlyUpdates)
{
    EditorHost host;
    VstKeyCode key = {0, 12, 0};
    EXPECT_EQ(host.dispatch(effEditKeyDown, key.character, key.virt, nullptr, key.modifier), -1);
    EXPECT_EQ(host.dispatch(effEditKeyUp, key.character, key.virt, nullptr, key.modifier), -1);
    EXPECT_FALSE(host.editor->onWheel(1.0f));
    host.editor->postUpdate();
    host.dispatch(effEditIdle);
    EXPECT_EQ(host.editor->updates, 1);
    host.dispatch(effEditIdle);
    EXPECT_EQ(host.editor->updates, 1);
}

TEST(AEffGUIEditor, KeysReachTheFrameWhileOpen)
{
    EditorHost host;
    ASSERT_EQ(host.dispatch(effEditOpen, 0, 0, parentWindow()), 1);
    CountingView* view = host.editor->view;
    view->setFocusable(true);
    host.editor->getFrame()->setFocusView(view);
    view->keyAnswer = 1;
    EXPECT_EQ(host.dispatch(effEditKeyDown, 0, kVirtualKeyUp, nullptr, 0.0f), 1);
    EXPECT_EQ(view->keys, 1);
    // Tab with no other focusable view keeps the focus and is handled by the frame.
    view->keyAnswer = -1;
    EXPECT_EQ(host.dispatch(effEditKeyDown, 0, kVirtualKeyTab, nullptr, 0.0f), 1);
    EXPECT_EQ(host.editor->getFrame()->getFocusView(), view);
}

TEST(AEffGUIEditor, KnobModeAnswersOneAndIsSharedByEveryFrame)
{
    EditorHost host;
    EXPECT_EQ(host.dispatch(effSetEditKnobMode, 0, 1), 1);
    host.dispatch(effEditOpen, 0, 0, parentWindow());
    EXPECT_EQ(host.editor->getFrame()->getKnobMode(), 1);
    host.dispatch(effSetEditKnobMode, 0, 2);
    EXPECT_EQ(host.editor->getFrame()->getKnobMode(), 2);
}

TEST(AEffGUIEditor, HostIdleSentFromInsideDoIdleStuffDoesNotReenter)
{
    EditorHost host;
    host.dispatch(effEditOpen, 0, 0, parentWindow());
    paintPendingWindows();
    host.dispatch(effEditIdle);
    CountingView* view = host.editor->view;
    const int drawn = view->draws;
    const int updates = host.editor->updates;

    int idleCalls = 0;
    host.onIdle = [&] {
        ++idleCalls;
        view->setDirty(true);
        host.editor->postUpdate();
        host.dispatch(effEditIdle);
    };
    host.editor->doIdleStuff();
    EXPECT_EQ(idleCalls, 1);
    EXPECT_EQ(view->draws, drawn);
    EXPECT_EQ(host.editor->updates, updates);

    host.onIdle = nullptr;
    host.dispatch(effEditIdle);
    EXPECT_EQ(view->draws, drawn + 1);
    EXPECT_EQ(host.editor->updates, updates + 1);
}

TEST(AEffGUIEditor, EditGesturesReachTheHostWithItsAnswer)
{
    EditorHost host;
    host.dispatch(effEditOpen, 0, 0, parentWindow());
    CFrame* frame = host.editor->getFrame();
    host.answer = 1;
    EXPECT_TRUE(frame->beginEdit(3));
    host.answer = 0;
    EXPECT_FALSE(frame->endEdit(3));
    ASSERT_EQ(host.requests.size(), 2u);
    EXPECT_EQ(host.requests[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(host.requests[0].index, 3);
    EXPECT_EQ(host.requests[1].opcode, audioMasterEndEdit);
}

TEST(AEffGUIEditor, DrawPaintsTheFrameOntoTheWindowAtOnce)
{
    EditorHost host;
    host.dispatch(effEditOpen, 0, 0, parentWindow());
    CFrame* frame = host.editor->getFrame();
    host.editor->draw(nullptr);
    EXPECT_EQ(host.editor->view->draws, 1);
    EXPECT_EQ(rgb(windowPixels(*frame, CBox(20, 20, 21, 21))[0]), 0xff0000u);
    ERect part = {0, 0, 15, 15};
    host.editor->view->setDirty(true);
    host.editor->draw(&part);
    EXPECT_EQ(host.editor->view->draws, 2);
}

TEST(AEffGUIEditor, ANewFrameSizeAsksTheHostToSizeItsWindowOnlyWhenItCanDoThat)
{
    for (const intptr_t answer : {0, 1}) {
        EditorHost host;
        ASSERT_EQ(host.dispatch(effEditOpen, 0, 0, parentWindow()), 1);
        host.answer = answer;
        host.requests.clear();
        ASSERT_TRUE(host.editor->getFrame()->setSize(90, 70));
        std::vector<int32_t> opcodes;
        for (const EditorHost::Request& request : host.requests)
            opcodes.push_back(request.opcode == audioMasterSizeWindow ? request.index : request.opcode);
        std::vector<int32_t> expected = {audioMasterCanDo};
        if (answer)
            expected.push_back(90);  // audioMasterSizeWindow with the new width
        EXPECT_EQ(opcodes, expected);
        EXPECT_EQ(host.editor->getFrame()->getWidth(), 90);
    }
}
