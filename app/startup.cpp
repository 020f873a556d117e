#include "startup.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>
#include <vector>

namespace {

struct Reason {
    QByteArray category;
    QString text;
};

// One StartupMessages at a time: the message handler is process-wide too.
struct Held {
    std::mutex mutex;
    QtMessageHandler previous = nullptr;
    int realStderr = STDERR_FILENO;
    std::FILE *scratch = nullptr;
    std::vector<Reason> reasons;
} held;

// Everything Qt said while failing, on one line. Its message when every
// platform it tried has failed, the one that lists the platforms it has,
// names no cause and blames the installation; the warnings before it say
// what went wrong.
QString failureLine(const QString &fatal)
{
    const QString listed = QStringLiteral("platform plugins are: ");
    const qsizetype list = fatal.indexOf(listed);
    QStringList why;
    bool platformMissing = list >= 0 && held.reasons.empty();
    for (const Reason &reason : held.reasons) {
        QString text = reason.text.simplified();
        text.remove(QStringLiteral(" in \"\""));  // Qt's own plugin folder
        if (text == u"could not connect to display")
            text += QStringLiteral(" (no display named)");
        if (!why.contains(text))
            why.append(text);
        platformMissing = platformMissing || (list >= 0 && reason.category == "qt.qpa.plugin");
    }
    if (list < 0)
        why.append(fatal.section(u'\n', 0, 0).simplified());
    else if (why.isEmpty())
        why.append(QStringLiteral("Qt could start no platform"));
    QString line = QStringLiteral("radixor: cannot open the window: ") + why.join(QStringLiteral("; "));

    // A platform named that Qt lacks: say which it has.
    if (platformMissing) {
        QString names = fatal.mid(list + listed.size()).section(u'\n', 0, 0).trimmed();
        if (names.endsWith(u'.'))
            names.chop(1);
        line += QStringLiteral(" (Qt has: %1)").arg(names);
    }
    return line;
}

void hold(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        const std::lock_guard lock(held.mutex);
        const QByteArray line = failureLine(message).toLocal8Bit();
        dprintf(held.realStderr, "%s\n", line.constData());
        std::_Exit(EXIT_FAILURE);
    }
    if (type == QtWarningMsg || type == QtCriticalMsg) {
        const std::lock_guard lock(held.mutex);
        held.reasons.push_back({QByteArray(context.category), message});
    }
    held.previous(type, context, message);
}

}  // namespace

StartupMessages::StartupMessages()
{
    const int real = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (real >= 0) {
        held.scratch = std::tmpfile();
        if (held.scratch && dup2(fileno(held.scratch), STDERR_FILENO) >= 0) {
            held.realStderr = real;
        } else {
            if (held.scratch)
                std::fclose(held.scratch);
            held.scratch = nullptr;
            close(real);
        }
    }
    held.previous = qInstallMessageHandler(hold);
    holding = true;
}

StartupMessages::~StartupMessages()
{
    release();
}

void StartupMessages::release()
{
    if (!std::exchange(holding, false))
        return;
    qInstallMessageHandler(held.previous);
    held.reasons.clear();
    if (!held.scratch)
        return;
    std::fflush(stderr);
    dup2(held.realStderr, STDERR_FILENO);
    close(held.realStderr);
    held.realStderr = STDERR_FILENO;
    std::rewind(held.scratch);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, held.scratch)) > 0;) {
        if (write(STDERR_FILENO, buffer, n) < 0)
            break;
    }
    std::fclose(held.scratch);
    held.scratch = nullptr;
}

void declineSessionBusAutolaunch()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    // Where libdbus looks before it starts a bus of its own.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat bus {};
    if (!runtime.isEmpty() && stat((runtime + "/bus").constData(), &bus) == 0 && S_ISSOCK(bus.st_mode))
        return;
    // A transport libdbus does not have: it answers "no bus" at once.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}
