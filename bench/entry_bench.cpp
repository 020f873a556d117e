// How the window copes with large insertions: the time from a paste (or an
// input-method commit) of n digits to the entry repainted, from Enter to
// the results repainted, and the process's resident memory after a refused
// 10 MB paste and after many Converts. A benchmark: it prints figures and
// checks nothing but that the window still answers.
//
//   entry_bench [-converts N] [digits...]
//       N defaults to 20000, the digits to 1000 100000 1000000 10000000

#include "qtwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <cstdio>
#include <fstream>

namespace {

double residentMiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * 4096 / (1024 * 1024);
}

// Runs action, then draws whatever it asked to be redrawn; milliseconds.
template <typename Action>
double timed(Action action)
{
    QElapsedTimer clock;
    clock.start();
    action();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return double(clock.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int converts = 20000;
    QList<qsizetype> sizes;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "-converts" && i + 1 < argc)
            converts = QByteArray(argv[++i]).toInt();
        else
            sizes << QByteArray(argv[i]).toLongLong();
    }
    if (sizes.isEmpty())
        sizes = {1000, 100000, 1000000, 10000000};

    QtWindow form;
    form.show();
    form.activateWindow();  // no window manager does it on a bare X server
    if (!QTest::qWaitForWindowActive(&form))
        return 1;
    QWindow *window = form.windowHandle();
    auto *entry = form.findChild<QLineEdit *>(QStringLiteral("txtRadixor"));
    auto *dec = form.findChild<QLineEdit *>(QStringLiteral("txtDec"));
    auto *cmdClear = form.findChild<QPushButton *>(QStringLiteral("cmdClear"));
    const auto clear = [&] { cmdClear->click(); QCoreApplication::processEvents(); };

    std::printf("%10s %10s %10s %10s %10s %10s %10s\n", "digits", "paste ms", "held", "key ms", "Enter ms", "Clear ms",
                "commit ms");
    for (const qsizetype n : sizes) {
        const QString digits(n, u'7');
        clear();
        QGuiApplication::clipboard()->setText(digits);
        const double paste = timed([&] { QTest::keyClick(window, Qt::Key_Insert, Qt::ShiftModifier); });
        const qsizetype held = entry->text().size();
        const double key = timed([&] { QTest::keyClick(window, Qt::Key_Backspace); });
        const double enter = timed([&] { QTest::keyClick(window, Qt::Key_Return); });
        const double clearing = timed(clear);
        QInputMethodEvent commitEvent;
        commitEvent.setCommitString(digits);
        const double commit = timed([&] { QApplication::sendEvent(entry, &commitEvent); });
        std::printf("%10lld %10.1f %10lld %10.1f %10.1f %10.1f %10.1f\n", static_cast<long long>(n), paste,
                    static_cast<long long>(held), key, enter, clearing, commit);
        std::fflush(stdout);
    }

    // As a user converts one number after another: type over the selected
    // entry, then Enter.
    const auto typeAndConvert = [&] {
        QTest::keyClicks(entry, QStringLiteral("4294967295"));
        QTest::keyClick(window, Qt::Key_Return);
        QCoreApplication::processEvents();
    };
    clear();
    for (int i = 0; i < 200; ++i)
        typeAndConvert();
    const double warm = residentMiB();
    for (int i = 0; i < converts; ++i)
        typeAndConvert();
    const double after = residentMiB();
    std::printf("%d typed Converts: resident %.2f MiB before, %.2f MiB after (%+.0f bytes a Convert); Dec \"%s\"\n",
                converts, warm, after, (after - warm) * 1024 * 1024 / converts, qPrintable(dec->text()));

    clear();
    const double start = residentMiB();
    QGuiApplication::clipboard()->setText(QString(10 * 1000 * 1000, u'1') + u'x');
    QTest::keyClick(window, Qt::Key_Insert, Qt::ShiftModifier);
    QGuiApplication::clipboard()->clear();
    QCoreApplication::processEvents();
    std::printf("refused 10 MB paste: resident %.1f MiB before, %.1f MiB after, entry \"%s\"\n", start, residentMiB(),
                qPrintable(entry->text()));

    return 0;
}
