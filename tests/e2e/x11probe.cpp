// Helper for the end-to-end tests, on the display named by DISPLAY:
//   x11probe bells          prints "ready", then "bell" each time the X
//                           server rings its bell, until it is killed
//   x11probe close WINDOW   asks the window to close the way a window
//                           manager's close box does (WM_DELETE_WINDOW)

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int bells(Display *display)
{
    int opcode = 0, eventBase = 0, errorBase = 0;
    int major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &eventBase, &errorBase, &major, &minor)) {
        std::fputs("x11probe: the X server has no XKB\n", stderr);
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

int closeWindow(Display *display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("x11probe: cannot open the display\n", stderr);
        return 1;
    }
    int status = 2;
    if (argc == 2 && std::strcmp(argv[1], "bells") == 0)
        status = bells(display);
    else if (argc == 3 && std::strcmp(argv[1], "close") == 0)
        status = closeWindow(display, Window(std::strtoul(argv[2], nullptr, 0)));
    else
        std::fputs("usage: x11probe bells | x11probe close WINDOW\n", stderr);
    XCloseDisplay(display);
    return status;
}
