// The X11 window the panel made inside the host's parent window, which LV2 hosts take as the
// UI's widget. The toolkit keeps its window to itself, so it is found from the parent: the
// topmost child, as a window just made and mapped is.
#pragma once

// 0 when there is no display or parent has no child.
unsigned long newestChildOf(unsigned long parent);
