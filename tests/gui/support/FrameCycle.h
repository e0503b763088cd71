// One editor-window life as the panel will have it: a frame with a background image and a
// few views, painted, redrawn on idle and destroyed.
#pragma once

#include "gui/CFrame.h"
#include "gui/CImage.h"
#include "tests/gui/TestImages.h"
#include "tests/gui/support/CountingView.h"
#include "tests/gui/support/FramePixels.h"

inline void openPaintAndCloseFrame(void* parentWindow)
{
    auto* frame = new CFrame(CBox(0, 0, 80, 60), parentWindow, nullptr);
    auto* background = new CImage(kSceneBackground);
    frame->setBackground(background);
    background->release();
    auto* overlay = new CImage(kSceneOverlay);
    auto* view = new CView(CBox(30, 20, 46, 36));
    view->setBackground(overlay);
    overlay->release();
    frame->addView(view);
    auto* box = new CountingView(CBox(4, 4, 20, 12), kRedCRgba);
    frame->addView(box);
    paintPendingWindows();
    box->setDirty(true);
    frame->idle();
    frame->setCursor(kCursorWait);
    frame->release();
}
