// A mouse gesture for tracking loops to walk through: the first step holds when the press
// is delivered, and each later step takes effect when the loop calls step(), which a test
// editor does from its idle pump. Positions are in the frame's window coordinates.
#pragma once

#include "gui/CFrame.h"
#include "gui/CGraphics.h"
#include "tests/gui/support/TestMouse.h"

#include <utility>
#include <vector>

class MouseScript {
public:
    struct Step {
        CPos where;
        int32_t buttons;
    };

    MouseScript() = default;
    MouseScript(CFrame* frame, std::vector<Step> steps)
        : frame_(frame)
        , steps_(std::move(steps))
    {
    }

    // Places the first step and delivers the press there, as the frame's window would;
    // returns once the control's tracking loop is over.
    void press()
    {
        next_ = 0;
        step();
        // The context draws onto the frame's window: it must go before the frame may, and a
        // host may close the editor during the press.
        const CKeepAlive keep(frame_);
        CGraphics context(frame_);
        CPos where = steps_.front().where;
        frame_->mouse(&context, where, -1);
        TestMouse::releaseAll();
    }
    // The next step; past the last one everything is released, so a loop always ends.
    void step()
    {
        if (!frame_ || steps_.empty())
            return;
        const CPos origin = frame_->getWindowOrigin();
        const Step next = next_ < steps_.size() ? steps_[next_++] : Step{steps_.back().where, 0};
        TestMouse::place(CPos(next.where).offset(origin.h, origin.v), next.buttons);
    }

private:
    CFrame* frame_ = nullptr;
    std::vector<Step> steps_;
    size_t next_ = 0;
};
