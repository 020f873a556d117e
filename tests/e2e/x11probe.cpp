// Prints "ready", then "bell" each time the X server named by DISPLAY rings
// its bell, until it is killed.

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdio>

int main()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("x11probe: cannot open the display\n", stderr);
        return 1;
    }
    int opcode = 0, eventBase = 0, errorBase = 0;
    int major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &eventBase, &errorBase, &major, &minor)) {
        std::fputs("x11probe: the X server has no XKB\n", stderr);
        XCloseDisplay(display);
        return 1;
    }
    XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSync(display, False);
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == eventBase && reinterpret_cast<XkbEvent &>(event).any.xkb_type == XkbBellNotify) {
            std::puts("bell");
            std::fflush(stdout);
        }
    }
}
