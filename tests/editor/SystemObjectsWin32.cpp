#include "tests/editor/SystemObjects.h"

#include "tests/gui/support/GdiObjects.h"

int liveSystemObjects()
{
    return liveGdiObjects();
}
