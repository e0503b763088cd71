// A view for tests that keeps the file names dropped on it and where they landed.
#pragma once

#include "gui/CDropFiles.h"
#include "gui/CView.h"

#include <string>
#include <vector>

class DropView : public CView {
public:
    using CView::CView;
    bool onDrop(CGraphics*, void* drag, const CPos& where) override
    {
        names = static_cast<CDropFiles*>(drag)->names;
        at = where;
        return true;
    }

    std::vector<std::string> names;
    CPos at{-1, -1};
};
