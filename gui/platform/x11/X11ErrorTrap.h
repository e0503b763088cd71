// Keeps Xlib's process-wide error handlers, whose defaults end the process, from ending the
// host over a connection of ours. While any trap lives, our handlers stand in: they note
// what goes wrong on a display that a trap of this thread watches and hand everything else
// to the handlers that were there before, which the last trap to end puts back. Xlib reports
// errors when it reads a connection, and every call on our connections happens inside a trap
// on the thread that owns the window, so no error of ours reaches the host's handlers.
#pragma once

#include <X11/Xlib.h>

class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits until the server has handled every request made so far; true when none of them
    // failed and the connection stands.
    bool succeeded();
    // The connection broke inside this trap; Xlib then leaves it dead but closable.
    bool connectionLost() const { return lost_; }

private:
    static int onError(Display* display, XErrorEvent* error);
    static int onConnectionError(Display* display);
    static X11ErrorTrap* watching(Display* display);

    Display* display_;
    X11ErrorTrap* outer_;  // the trap of this thread that was innermost before
    bool failed_ = false;
    bool lost_ = false;
};
