#pragma once

#include <QtGlobal>

// Opens /dev/null on whichever of descriptors 0, 1 and 2 a launcher left
// closed, so that the first file the program opens (the X connection, say)
// does not become its stderr. Call first thing in main.
void openStandardDescriptors();

// Qt ends the process with abort() when no platform plugin it tries can
// start (no display, no compositor, a platform name it lacks), after
// warnings from each plugin saying why; the libraries under it (libwayland)
// write to stderr directly besides, and Qt's xcb platform calls exit(1)
// when the X server goes away. From construction to release() the
// process's stderr is held in memory, and every way out of the program
// prints one line naming what failed on the real stderr: Qt's fatal
// message and exit() with status 1, an abort (QT_FATAL_WARNINGS) or a
// crash by its signal. release() puts the real stderr back and copies to it whatever was
// written meanwhile. When the user asks Qt for diagnostics (QT_DEBUG_PLUGINS,
// QT_LOGGING_RULES), nothing is held: they reach stderr as Qt writes them.
class StartupMessages
{
public:
    StartupMessages();
    ~StartupMessages();
    StartupMessages(const StartupMessages &) = delete;
    StartupMessages &operator=(const StartupMessages &) = delete;

    void release();

private:
    bool holding = false;
};

// Without a session bus, libdbus starts one on demand (dbus-launch) when
// Qt's accessibility bridge asks for it, and that bus outlives the program.
// The program uses no service of its own, so where libdbus would find no
// bus of this user's it tells libdbus there is none rather than have one
// started.
void declineSessionBusAutolaunch();
