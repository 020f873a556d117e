// Starts one program on the current X display and reports how long it took
// to map its first window and to draw into it, then its memory after an
// idle spell. One run per call; bench/startup.sh interleaves the runs.
//
//   startup_probe [-v] [-i IDLE_MS] -- PROGRAM [ARG...]
//   prints: map_ms=12.34 paint_ms=15.67 rss_kib=23456 pss_kib=12345 cpu_ms=14.56
//
// The times are taken on this side of the X connection: the spawn is
// stamped just before posix_spawn, the map when the server's MapNotify for
// the first top-level window arrives (structure events on the root), the
// paint when the first Damage report touching that window's area arrives
// after it. Without a window manager no reparenting gets in between. The
// CPU time is the program's own, all threads, read at that first paint.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start, Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(t - start).count();
}

struct Memory {
    long rssKib = -1;
    long pssKib = -1;
};

Memory memoryOf(pid_t pid)
{
    Memory m;
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string key;
    long value = 0;
    std::string unit;
    while (in >> key) {
        if (key == "Rss:" && in >> value >> unit)
            m.rssKib = value;
        else if (key == "Pss:" && in >> value >> unit)
            m.pssKib = value;
        else
            in.ignore(1 << 12, '\n');
    }
    return m;
}

// CPU time the process's threads have run so far (the scheduler's own
// nanoseconds): with other load on the machine the clock times stretch,
// and this stays what the program itself spent.
double cpuMsOf(pid_t pid)
{
    std::error_code error;
    double ns = 0;
    for (const auto &task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream in(task.path() / "schedstat");
        double onCpu = 0;
        if (in >> onCpu)
            ns += onCpu;
    }
    return ns / 1e6;
}

bool overlaps(const xcb_rectangle_t &a, const xcb_rectangle_t &b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "startup_probe: %s\n", what);
    std::exit(2);
}

}  // namespace

int main(int argc, char *argv[])
{
    bool verbose = false;
    int idleMs = 1000;
    int first = 1;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "-v") == 0)
            verbose = true;
        else if (std::strcmp(argv[first], "-i") == 0 && first + 1 < argc)
            idleMs = std::atoi(argv[++first]);
        else if (std::strcmp(argv[first], "--") == 0) {
            ++first;
            break;
        } else
            break;
    }
    if (first >= argc)
        fail("usage: startup_probe [-v] [-i IDLE_MS] -- PROGRAM [ARG...]");

    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        fail("cannot open the display");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;

    const xcb_query_extension_reply_t *damageExt = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damageExt || !damageExt->present)
        fail("the X server has no Damage extension");
    std::unique_ptr<xcb_damage_query_version_reply_t, decltype(&std::free)> version(
        xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr), &std::free);
    if (!version)
        fail("Damage version query failed");

    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_damage_damage_t damage = xcb_generate_id(c);
    xcb_damage_create(c, damage, root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    xcb_damage_subtract(c, damage, XCB_NONE, XCB_NONE);
    // A round trip: the server has the selection and the damage object
    // before the program starts, and nothing older is left in the queue.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    while (xcb_generic_event_t *stale = xcb_poll_for_event(c))
        std::free(stale);

    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    if (posix_spawnp(&pid, argv[first], nullptr, nullptr, argv + first, environ) != 0)
        fail("cannot start the program");

    std::optional<Clock::time_point> mapped, painted;
    double cpuMs = -1;
    xcb_window_t window = XCB_NONE;
    xcb_rectangle_t area{};
    const Clock::time_point deadline = start + std::chrono::seconds(20);
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (!painted && Clock::now() < deadline) {
        xcb_generic_event_t *event = xcb_poll_for_event(c);
        if (!event) {
            if (xcb_connection_has_error(c))
                fail("lost the display");
            poll(&fd, 1, 50);
            continue;
        }
        const Clock::time_point now = Clock::now();
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_MAP_NOTIFY && !mapped) {
            const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
            if (!map->override_redirect) {
                mapped = now;
                window = map->window;
                std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> g(
                    xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr), &std::free);
                if (g)
                    area = {g->x, g->y, g->width, g->height};
                if (verbose)
                    std::fprintf(stderr, "%9.3f map 0x%x %dx%d+%d+%d\n", msSince(start, now), window,
                                 area.width, area.height, area.x, area.y);
            }
        } else if (type == damageExt->first_event + XCB_DAMAGE_NOTIFY) {
            const auto *d = reinterpret_cast<xcb_damage_notify_event_t *>(event);
            if (verbose)
                std::fprintf(stderr, "%9.3f damage %dx%d+%d+%d\n", msSince(start, now), d->area.width,
                             d->area.height, d->area.x, d->area.y);
            if (mapped && overlaps(d->area, area)) {
                painted = now;
                cpuMs = cpuMsOf(pid);
            }
        }
        std::free(event);
    }

    Memory memory;
    if (mapped) {
        std::this_thread::sleep_until(*mapped + std::chrono::milliseconds(idleMs));
        memory = memoryOf(pid);
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    xcb_disconnect(c);

    if (!mapped)
        fail("no window was mapped within 20 s");
    std::printf("map_ms=%.2f paint_ms=%.2f rss_kib=%ld pss_kib=%ld cpu_ms=%.2f\n", msSince(start, *mapped),
                painted ? msSince(start, *painted) : -1.0, memory.rssKib, memory.pssKib, cpuMs);
    return 0;
}
