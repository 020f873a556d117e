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

// Qt's fatal message only says that no platform could be started, and
// blames the installation; the warnings before it say what went wrong.
QString failureLine(const QString &fatal)
{
    QStringList why;
    bool platformMissing = held.reasons.empty();
    for (const Reason &reason : held.reasons) {
        QString text = reason.text.simplified();
        text.remove(QStringLiteral(" in \"\""));  // Qt's own plugin folder
        if (text.endsWith(u"display"))            // Qt's text when no display is named
            text += QStringLiteral(" (no display named)");
        if (!why.contains(text))
            why.append(text);
        platformMissing = platformMissing || reason.category == "qt.qpa.plugin";
    }
    if (why.isEmpty())
        why.append(QStringLiteral("Qt could start no platform"));
    QString line = QStringLiteral("radixor: cannot open the window: ") + why.join(QStringLiteral("; "));

    // A platform named that Qt lacks: say which it has.
    const QString listed = QStringLiteral("platform plugins are: ");
    if (const qsizetype at = fatal.indexOf(listed); platformMissing && at >= 0) {
        QString names = fatal.mid(at + listed.size()).section(u'\n', 0, 0).trimmed();
        if (names.endsWith(u'.'))
            names.chop(1);
        line += QStringLiteral(" (Qt has: %1)").arg(names);
    }
    return line;
}

void hold(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        const QByteArray line = failureLine(message).toLocal8Bit();
        const std::lock_guard lock(held.mutex);
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
