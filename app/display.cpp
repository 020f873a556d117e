#include "display.h"

#include <QString>

#include <cstdlib>
#include <cstring>

#ifdef RADIXOR_X11
#include <xcb/xcb.h>
#endif

DisplayCheck::DisplayCheck([[maybe_unused]] int argc, [[maybe_unused]] char **argv)
{
#ifdef RADIXOR_X11
    QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const char *name = nullptr;
    // Qt's own options, which it takes with one dash or two.
    for (int i = 1; i + 1 < argc; ++i) {
        const char *option = std::strncmp(argv[i], "--", 2) == 0 ? argv[i] + 1 : argv[i];
        if (std::strcmp(option, "-platform") == 0)
            platform = QString::fromLocal8Bit(argv[i + 1]);
        else if (std::strcmp(option, "-display") == 0)
            name = argv[i + 1];
    }
    if (platform.isEmpty() && qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland")
        return;
    if (!platform.isEmpty() && platform != u"xcb")
        return;
    if (!name)
        name = std::getenv("DISPLAY");
    if (!name || !*name) {
        why = "cannot connect to a display: DISPLAY is not set";
        return;
    }
    connection = xcb_connect(name, nullptr);
    if (xcb_connection_has_error(connection))
        why = std::string("cannot connect to display \"") + name + '"';
#endif
}

DisplayCheck::~DisplayCheck()
{
    release();
}

void DisplayCheck::release()
{
#ifdef RADIXOR_X11
    if (connection)
        xcb_disconnect(connection);
#endif
    connection = nullptr;
}
