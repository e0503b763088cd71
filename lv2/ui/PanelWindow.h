// The X11 window the panel made inside the host's parent window, which LV2 hosts take as the
// UI's widget. The toolkit keeps its window to itself, so it is found from the parent: the
// topmost child, as a window just made and mapped is. It is also marked as one of fixed size
// (its normal hints' minimum and maximum), so that hosts which embed it in a window of their
// own (suil's wrappers, Ardour) keep it at the panel's size rather than stretch it.
#pragma once

// The window's id; 0 when there is no display or parent has no child.
unsigned long claimPanelWindow(unsigned long parent, int width, int height);
