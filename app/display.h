#pragma once

#include <string>

struct xcb_connection_t;

// Whether the X display that Qt is about to open can be reached. Qt's X11
// platform aborts the process when it cannot, so it is tried beforehand;
// another platform (offscreen, Wayland) is left to Qt.
class DisplayCheck
{
public:
    DisplayCheck(int argc, char **argv);
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck &) = delete;
    DisplayCheck &operator=(const DisplayCheck &) = delete;

    // Why the display cannot be reached, or empty when it can.
    const std::string &problem() const { return why; }

    // A bare X server resets when its last client leaves and refuses
    // connections meanwhile, so the trial connection is held until Qt has
    // opened its own.
    void release();

private:
    xcb_connection_t *connection = nullptr;
    std::string why;
};
