// How a new size of the frame's window carries up its parent windows when the host cannot
// size its editor window itself: each parent keeps the border it had around the window
// inside it, and the borders add up on the way. A sum beyond 80 pixels means the parent is
// a window of the host's own (a rack, an arranger), which is left alone, and so is
// everything above it.
#pragma once

#include "gui/CBox.h"

#include <algorithm>
#include <cstdint>

class ParentResizeWalk {
public:
    // width, height: the window's new size; maxSteps: how many parents may grow at most.
    ParentResizeWalk(int32_t width, int32_t height, int32_t maxSteps)
        : width_(width)
        , height_(height)
        , stepsLeft_(maxSteps)
    {
    }

    // From the sizes a parent and the window inside it had before the walk, the size the
    // parent takes; false when the walk ends at this parent.
    bool nextParentSize(const CBox& childBefore, const CBox& parentBefore, int32_t& width, int32_t& height)
    {
        if (stepsLeft_-- <= 0)
            return false;
        borderWidth_ += std::max(0, parentBefore.width() - childBefore.width());
        borderHeight_ += std::max(0, parentBefore.height() - childBefore.height());
        if (borderWidth_ > kHostBorder || borderHeight_ > kHostBorder)
            return false;
        width = width_ + borderWidth_;
        height = height_ + borderHeight_;
        return true;
    }

private:
    static constexpr int32_t kHostBorder = 80;

    int32_t width_;
    int32_t height_;
    int32_t stepsLeft_;
    int32_t borderWidth_ = 0;
    int32_t borderHeight_ = 0;
};
