// Linked into every program of a sanitizer build, so the suppressions hold
// however a test starts the program. Each names a library under the
// toolkit, never our code.

extern "C" const char *__lsan_default_suppressions()
{
    // libdbus keeps its 1 KiB read buffer when starting a session bus on
    // demand fails, as it does wherever no session bus runs (CI, Xvfb).
    // Qt's D-Bus manager thread, which the accessibility bridge starts, is
    // let go at exit rather than joined while it is still busy.
    return "leak:libdbus-1.so\n"
           "leak:libQt6DBus.so\n";
}
