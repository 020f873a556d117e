#pragma once

#include <QtGlobal>

// Qt ends the process with abort() when no platform plugin it tries can
// start (no display, no compositor, a platform name it lacks), after
// warnings from each plugin saying why; the libraries under it (libwayland)
// write to stderr directly besides. From construction to release() the
// process's stderr goes to a scratch file and Qt's fatal message ends the
// program with one line naming what failed, on the real stderr, and exit
// status 1. release() puts the real stderr back and copies to it whatever
// was written meanwhile.
class StartupMessages
{
public:
    StartupMessages();
    ~StartupMessages();
    StartupMessages(const StartupMessages &) = delete;
    StartupMessages &operator=(const StartupMessages &) = delete;

    void release();

private:
    QtMessageHandler previous = nullptr;
    bool holding = false;
};

// Without a session bus, libdbus starts one on demand (dbus-launch) when
// Qt's accessibility bridge asks for it, and that bus outlives the program.
// The program uses no service of its own, so where no bus is running it
// tells libdbus there is none rather than have one started.
void declineSessionBusAutolaunch();
