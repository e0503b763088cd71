#include "tests/editor/SystemObjects.h"

#include "gui/platform/offscreen/OffscreenWindow.h"

int liveSystemObjects()
{
    return offscreen::openWindowCount();
}
