#include "startup.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <mutex>
#include <utility>
#include <vector>

namespace {

struct Reason {
    QByteArray category;
    QString text;
    bool note = false;  // information rather than a warning
};

// One StartupMessages at a time: the message handler is process-wide too.
// What the signal handler reads is ready before the signal can come.
struct Held {
    std::mutex mutex;
    QtMessageHandler previous = nullptr;
    bool holding = false;
    // The user asked Qt for diagnostics: nothing is held back.
    bool diagnosing = false;
    int realStderr = STDERR_FILENO;
    int memory = -1;
    std::vector<Reason> reasons;
    // The line for an end that leaves no time to build one, a signal such
    // as the abort of Qt's fatal warnings: the reasons held so far, if any.
    QByteArray signalLine;
} held;

// How a start can end at once: Qt's fatal warnings abort, and a crash.
constexpr int endingSignals[] = {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};
struct sigaction previousActions[std::size(endingSignals)];

const QString prefix = QStringLiteral("radixor: cannot open the window: ");

// Everything Qt said while failing, on one line. Its message when every
// platform it tried has failed, the one that lists the platforms it has,
// names no cause and blames the installation; the warnings before it say
// what went wrong.
QString failureLine(const QString &fatal)
{
    const QString listed = QStringLiteral("platform plugins are: ");
    const qsizetype list = fatal.indexOf(listed);
    // Qt's news of a plugin it found but could not load is the reason only
    // when nothing else is: a display it could not connect to makes that
    // news too.
    const bool warned = std::any_of(held.reasons.begin(), held.reasons.end(),
                                    [](const Reason &reason) { return !reason.note; });
    QStringList why;
    bool platformMissing = list >= 0 && !warned;
    for (const Reason &reason : held.reasons) {
        if (reason.note && warned)
            continue;
        QString text = reason.text.simplified();
        text.remove(QStringLiteral(" in \"\""));  // Qt's own plugin folder
        if (text == u"could not connect to display")
            text += QStringLiteral(" (no display named)");
        if (!why.contains(text))
            why.append(text);
        platformMissing = platformMissing || (list >= 0 && reason.category == "qt.qpa.plugin");
    }
    // Qt's fatal text names the cause in its first line, unless that line
    // only says that no platform could start.
    QString first = fatal.section(u'\n', 0, 0).simplified();
    first.remove(QStringLiteral(" in \"\""));
    if (list >= 0 && first.startsWith(QStringLiteral("This application failed to start")))
        first.clear();
    if (!first.isEmpty() && !why.contains(first))
        why.append(first);
    if (why.isEmpty())
        why.append(list >= 0 ? QStringLiteral("Qt could start no platform") : QStringLiteral("Qt ended the program"));
    QString line = prefix + why.join(QStringLiteral("; "));

    // A platform named that Qt lacks, or could not load: say which it has.
    if (platformMissing) {
        QString names = fatal.mid(list + listed.size()).section(u'\n', 0, 0).trimmed();
        if (names.endsWith(u'.'))
            names.chop(1);
        line += QStringLiteral(" (Qt has: %1)").arg(names);
    }
    return line;
}

void writeAll(int fd, const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n <= 0)
            return;
        data += n;
        size -= std::size_t(n);
    }
}

void writeLine(const QString &line)
{
    dprintf(held.realStderr, "%s\n", line.toLocal8Bit().constData());
}

// Says why, then ends as the signal would have ended the program.
void onEndingSignal(int signal)
{
    if (held.holding) {
        if (!held.signalLine.isEmpty()) {
            writeAll(held.realStderr, held.signalLine.constData(), std::size_t(held.signalLine.size()));
        } else {
            const char *parts[] = {"radixor: cannot open the window: ended by SIG", sigabbrev_np(signal), " (",
                                   sigdescr_np(signal), ")\n"};
            for (const char *part : parts)
                if (part)
                    writeAll(held.realStderr, part, std::strlen(part));
        }
    }
    for (std::size_t i = 0; i < std::size(endingSignals); ++i)
        sigaction(endingSignals[i], &previousActions[i], nullptr);
    std::raise(signal);
}

// The last line written to the held stderr, where the libraries under Qt
// (Xlib's "fatal IO error", say) write why they end the program.
QString lastHeldLine()
{
    QByteArray all;
    char buffer[4096];
    off_t at = 0;
    for (ssize_t n; held.memory >= 0 && (n = pread(held.memory, buffer, sizeof buffer, at)) > 0; at += n)
        all.append(buffer, n);
    return QString::fromLocal8Bit(all.trimmed()).section(u'\n', -1);
}

// exit() while still starting, as Qt's xcb platform ends the program when
// the X server goes away.
void onExit()
{
    const std::lock_guard lock(held.mutex);
    if (held.holding)
        writeLine(failureLine(held.reasons.empty() ? lastHeldLine() : QString()));
}

void hold(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        const std::lock_guard lock(held.mutex);
        if (held.diagnosing)
            held.previous(type, context, message);
        writeLine(failureLine(message));
        std::_Exit(EXIT_FAILURE);
    }
    // Qt tells of a platform plugin it found but could not load as
    // information only.
    const bool platformNews = type == QtInfoMsg && QByteArrayView(context.category).startsWith("qt.qpa.");
    if (type == QtWarningMsg || type == QtCriticalMsg || platformNews) {
        const std::lock_guard lock(held.mutex);
        held.reasons.push_back({QByteArray(context.category), message, platformNews});
        held.signalLine = (failureLine({}) + u'\n').toLocal8Bit();
    }
    held.previous(type, context, message);
}

bool diagnosing()
{
    return qEnvironmentVariableIntValue("QT_DEBUG_PLUGINS") != 0 || !qEnvironmentVariableIsEmpty("QT_LOGGING_RULES");
}

}  // namespace

void openStandardDescriptors()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd)
        if (fcntl(fd, F_GETFD) < 0 && open("/dev/null", O_RDWR) < 0)
            return;
}

StartupMessages::StartupMessages()
{
    // In memory, which neither a full nor a read-only /tmp takes away.
    held.diagnosing = diagnosing();
    const int real = held.diagnosing ? -1 : fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (real >= 0) {
        held.memory = memfd_create("radixor-startup", MFD_CLOEXEC);
        if (held.memory >= 0 && dup2(held.memory, STDERR_FILENO) >= 0) {
            held.realStderr = real;
        } else {
            if (held.memory >= 0)
                close(held.memory);
            held.memory = -1;
            close(real);
        }
    }
    held.previous = qInstallMessageHandler(hold);
    struct sigaction ending {};
    ending.sa_handler = onEndingSignal;
    sigemptyset(&ending.sa_mask);
    for (std::size_t i = 0; i < std::size(endingSignals); ++i)
        sigaction(endingSignals[i], &ending, &previousActions[i]);
    [[maybe_unused]] static const bool atExit = (std::atexit(onExit), true);
    held.holding = holding = true;
}

StartupMessages::~StartupMessages()
{
    release();
}

void StartupMessages::release()
{
    if (!std::exchange(holding, false))
        return;
    {
        const std::lock_guard lock(held.mutex);
        held.holding = false;
        held.reasons.clear();
        held.signalLine.clear();
    }
    for (std::size_t i = 0; i < std::size(endingSignals); ++i)
        sigaction(endingSignals[i], &previousActions[i], nullptr);
    qInstallMessageHandler(held.previous);
    if (held.memory < 0)
        return;
    std::fflush(stderr);
    dup2(held.realStderr, STDERR_FILENO);
    close(held.realStderr);
    held.realStderr = STDERR_FILENO;
    char buffer[4096];
    off_t at = 0;
    for (ssize_t n; (n = pread(held.memory, buffer, sizeof buffer, at)) > 0; at += n)
        writeAll(STDERR_FILENO, buffer, std::size_t(n));
    close(held.memory);
    held.memory = -1;
}

void declineSessionBusAutolaunch()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    // Where libdbus looks before it starts a bus of its own: a socket of
    // this user's (not another's, as under sudo -E).
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat bus {};
    if (!runtime.isEmpty() && stat((runtime + "/bus").constData(), &bus) == 0 && S_ISSOCK(bus.st_mode)
        && bus.st_uid == getuid())
        return;
    // A transport libdbus does not have: it answers "no bus" at once.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}
